// ATR ratchet: a stop that starts m ATRs beyond the close and creeps toward price by
// `step` ATRs on every bar, whether price moved or not, until a close lies strictly
// beyond it; the trend then flips and the stop restarts m ATRs from that close.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AtrRatchet final : public MultiOutput<AtrRatchet, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"value", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // m or step not finite or not above 0: NonPositiveMultiplier; then n = 0:
    // ZeroPeriod, n above MAX_PERIOD: InvalidPeriod.
    static std::expected<AtrRatchet, IndicatorError> create(std::uint64_t n, double m, double step);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const double close = ctx.candle.close;
        const std::optional<double> atr = atr_.step(ctx.candle);
        if (!atr) return std::nullopt;
        if (direction_ == 0.0) {
            direction_ = 1.0;
            stop_ = close - *atr * multiplier_;
        } else if (direction_ > 0.0) {
            stop_ = stop_ + step_ * *atr;
            if (stop_ > close) {
                direction_ = -1.0;
                stop_ = close + *atr * multiplier_;
            }
        } else {
            stop_ = stop_ - step_ * *atr;
            if (close > stop_) {
                direction_ = 1.0;
                stop_ = close - *atr * multiplier_;
            }
        }
        return std::array<double, 2>{stop_, direction_};
    }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    AtrRatchet(WilderAtr atr, double m, double step) : atr_(atr), multiplier_(m), step_(step) {}

    WilderAtr atr_;
    double multiplier_;
    double step_;
    double direction_ = 0.0;  // 0.0 until the first value, then +1.0 or -1.0
    double stop_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, AtrRatchet, 2);

}  // namespace torvex
