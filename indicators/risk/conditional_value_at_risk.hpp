// Conditional value-at-risk: the mean loss of the worst (1 − c) share of the window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class ConditionalValueAtRisk final : public CloseIndicator<ConditionalValueAtRisk> {
public:
    // n below 2: InvalidPeriod "conditional value-at-risk needs period >= 2"; M;
    // then the confidence test of ValueAtRisk.
    static std::expected<ConditionalValueAtRisk, IndicatorError> create(std::uint64_t n, double c);

    // max(−(sum of the k smallest) / k, 0) with k = max(⌊n·(1 − c)⌋, 1).
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    ConditionalValueAtRisk(SortedWindow window, double c);

    SortedWindow window_;
    [[maybe_unused]] double confidence_;
    std::uint64_t tail_count_;  // k, fixed by n and c
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, ConditionalValueAtRisk);

}  // namespace torvex
