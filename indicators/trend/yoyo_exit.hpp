// Yo-yo exit: a long stop m ATRs under the close that only rises; once the close
// falls through it the stop holds until the close recovers more than m ATRs above.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class YoyoExit final : public CandleIndicator<YoyoExit> {
public:
    // m not above 0: NonPositiveMultiplier; then n = 0: ZeroPeriod; n above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<YoyoExit, IndicatorError> create(std::uint64_t n, double m);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> atr = atr_.step(bar);
        if (!atr) return std::nullopt;
        const double offset = *atr * multiplier_;
        const double close = bar.close;
        if (!stop_) {
            stop_ = close - offset;
        } else if (long_) {
            if (*stop_ > close) {
                long_ = false;
            } else {
                stop_ = std::max(*stop_, close - offset);
            }
        } else if (close > *stop_ + offset) {
            long_ = true;
            stop_ = close - offset;
        }
        return stop_;
    }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    YoyoExit(WilderAtr atr, double m) : atr_(atr), multiplier_(m) {}

    WilderAtr atr_;
    std::optional<double> stop_;
    double multiplier_;
    bool long_ = true;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, YoyoExit);

}  // namespace torvex
