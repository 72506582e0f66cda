// ATR trailing stop: a stop m ATRs from the close that only ratchets in the
// direction of the trend and jumps to the other side when the close crosses it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AtrTrailingStop final : public CandleIndicator<AtrTrailingStop> {
public:
    // m not above 0: NonPositiveMultiplier; then n = 0: ZeroPeriod; n above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<AtrTrailingStop, IndicatorError> create(std::uint64_t n, double m);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> atr = atr_.step(bar);
        if (!atr) return std::nullopt;
        const double offset = *atr * multiplier_;
        const double close = bar.close;
        double stop = close - offset;
        if (stop_) {
            const double p = *stop_;
            const double pc = *prev_close_;
            if (close > p) {
                stop = pc > p ? std::max(close - offset, p) : close - offset;
            } else {
                stop = (pc < p && close < p) ? std::min(close + offset, p) : close + offset;
            }
        }
        prev_close_ = close;
        stop_ = stop;
        return stop;
    }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    AtrTrailingStop(WilderAtr atr, double m) : atr_(atr), multiplier_(m) {}

    WilderAtr atr_;
    std::optional<double> prev_close_;
    std::optional<double> stop_;
    double multiplier_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AtrTrailingStop);

}  // namespace torvex
