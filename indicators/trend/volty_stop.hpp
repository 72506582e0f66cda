// Volatility stop: m ATRs behind the most extreme close of the current side; the
// side flips when the close moves more than that beyond the extreme.
#pragma once

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

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    VoltyStop(WilderAtr atr, double m) : atr_(atr), multiplier_(m) {}

    WilderAtr atr_;
    std::optional<double> extreme_;
    double multiplier_;
    bool long_ = true;
};

}  // namespace torvex
