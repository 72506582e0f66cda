// Extended parabolic SAR: separate long and short accelerations, an optional start
// level and side, and a reversal offset; the sign of the answer carries the side
// (positive long, negative short).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/parabolic_sar.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SarExt final : public CandleIndicator<SarExt> {
public:
    // start not finite, or offset not finite or below 0: NonPositiveMultiplier;
    // then for the long and then the short triple: any value not finite or not above
    // 0: NonPositiveMultiplier; init above max: InvalidPeriod "acceleration init must
    // be <= max".
    static std::expected<SarExt, IndicatorError> create(double start, double offset, double init_long,
                                                        double step_long, double max_long, double init_short,
                                                        double step_short, double max_short);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> sar = sar_.step(bar.high, bar.low);
        if (!sar) return std::nullopt;
        return sar_.is_short() ? -*sar : *sar;
    }
    std::uint64_t warmup() const override { return 2; }

private:
    SarExt(double start, double offset, SarAcceleration up, SarAcceleration down)
        : sar_(start, offset, up, down, true) {}
    ParabolicSar sar_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, SarExt);

}  // namespace torvex
