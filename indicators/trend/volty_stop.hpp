// Volatility stop: m ATRs behind the most extreme close of the current side; the
// side flips when the close moves more than that beyond the extreme.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VoltyStop final : public CandleIndicator<VoltyStop> {
public:
    // m not above 0: NonPositiveMultiplier; then n = 0: ZeroPeriod; n above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<VoltyStop, IndicatorError> create(std::uint64_t n, double m);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> atr = atr_.step(bar);
        if (!atr) return std::nullopt;
        const double offset = *atr * multiplier_;
        const double close = bar.close;
        if (!extreme_) {
            extreme_ = close;
            long_ = true;
            return close - offset;
        }
        if (long_) {
            if (*extreme_ - offset > close) {
                long_ = false;
                extreme_ = close;
                return close + offset;
            }
            extreme_ = std::max(*extreme_, close);
            return *extreme_ - offset;
        }
        if (close > *extreme_ + offset) {
            long_ = true;
            extreme_ = close;
            return close - offset;
        }
        extreme_ = std::min(*extreme_, close);
        return *extreme_ + offset;
    }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    VoltyStop(WilderAtr atr, double m) : atr_(atr), multiplier_(m) {}

    WilderAtr atr_;
    std::optional<double> extreme_;
    double multiplier_;
    bool long_ = true;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, VoltyStop);

}  // namespace torvex
