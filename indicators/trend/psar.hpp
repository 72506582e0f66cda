// Parabolic SAR: the stop-and-reverse level of the current trend, one acceleration
// for both sides.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/parabolic_sar.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Psar final : public CandleIndicator<Psar> {
public:
    // Each of af_start, af_step, af_max not finite or not above 0:
    // NonPositiveMultiplier; af_start above af_max: InvalidPeriod "af_start must be
    // <= af_max".
    static std::expected<Psar, IndicatorError> create(double af_start, double af_step, double af_max);

    std::optional<double> step(const Ohlcv& bar) { return sar_.step(bar.high, bar.low); }
    std::uint64_t warmup() const override { return 2; }

private:
    explicit Psar(SarAcceleration acc) : sar_(0.0, 0.0, acc, acc, false) {}
    ParabolicSar sar_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Psar);

}  // namespace torvex
