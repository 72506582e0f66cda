// Bipower variation of the last n log returns of the close: π/2 times the sum of the
// absolute products of adjacent returns, a volatility measure that jumps barely move.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"

namespace torvex {

class BipowerVariation final : public CloseIndicator<BipowerVariation> {
public:
    // Zero period, above MAX_PERIOD, then 1: "bipower variation period must be >= 2".
    static std::expected<BipowerVariation, IndicatorError> create(std::uint64_t n);

    // Refuses a close not above zero; the first value comes with the (n + 1)-th close.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit BipowerVariation(std::uint64_t n) : window_(n + 1), period_(n), clock_(n) {}

    LogReturnStep returns_;
    FixedRing<double> window_;  // the last n returns
    std::uint64_t period_;
    double sum_ = 0.0;           // Σ|r[i]·r[i + 1]| over adjacent pairs of the window
    ResumClock clock_;
};

}  // namespace torvex
