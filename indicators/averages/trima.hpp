// Triangular moving average: a simple average of a simple average, the two
// lengths adding up to n + 1.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class Trima final : public CloseIndicator<Trima> {
public:
    static std::expected<Trima, IndicatorError> create(std::uint64_t n);

    // Always inlined: the column loop would otherwise call it, with the state of
    // both cores in memory.
    [[gnu::always_inline]] std::optional<double> step(double close) {
        if (!first_.advance(close)) return std::nullopt;
        if (!second_.advance(first_.mean())) return std::nullopt;
        return second_.mean();
    }
    std::uint64_t warmup() const override { return period_; }

private:
    Trima(SmaCore first, SmaCore second, std::uint64_t n)
        : first_(std::move(first)), second_(std::move(second)), period_(n) {}

    SmaCore first_;   // length n - floor(n / 2)
    SmaCore second_;  // length floor(n / 2) + 1
    std::uint64_t period_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Trima);

}  // namespace torvex
