// Historical value-at-risk: the window's (1 − c) return quantile as a positive loss.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class ValueAtRisk final : public CloseIndicator<ValueAtRisk> {
public:
    // n below 2: InvalidPeriod "value-at-risk needs period >= 2"; M; then c finite
    // and strictly between 0 and 1, else InvalidPeriod "confidence must lie
    // strictly between 0 and 1".
    static std::expected<ValueAtRisk, IndicatorError> create(std::uint64_t n, double c);

    // max(−q, 0) for the quantile q at position (1 − c)·(n − 1) of the sorted window.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    ValueAtRisk(SortedWindow window, double c);

    SortedWindow window_;
    [[maybe_unused]] double confidence_;
    // The quantile position depends only on n and c: fixed at construction.
    double pos_;
    std::uint64_t lo_;
    std::uint64_t hi_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, ValueAtRisk);

}  // namespace torvex
