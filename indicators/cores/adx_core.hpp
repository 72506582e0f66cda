// The directional-movement step: Wilder-smoothed true range and directional
// movements, the two directional indices and their smoothed spread (ADX).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/bar.hpp"
#include "indicators/cores/directional_smoother.hpp"
#include "indicators/error.hpp"

namespace torvex {

struct AdxPoint {
    double plus_di;
    double minus_di;
    double adx;
};

class AdxCore {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<AdxCore, IndicatorError> create(std::uint64_t n);

    // One candle that already passed the candle rule (no guard here). The first
    // candle only primes; answers (+DI, −DI, ADX) from candle 2n on.
    std::optional<AdxPoint> step(const Ohlcv& bar);

    // The (+DI, −DI) of the last candle that reached the smoothed stage.
    DiPair last_di() const { return last_di_; }
    std::uint64_t period() const { return period_; }

private:
    explicit AdxCore(std::uint64_t n);

    DirectionalSmoother dm_;
    std::optional<double> adx_;
    std::vector<double> dx_seed_;
    std::uint64_t period_;
    DiPair last_di_;
};

}  // namespace torvex
