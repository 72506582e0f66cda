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
    // In the header, so that the owners' column loops step it inline.
    [[gnu::always_inline]] std::optional<AdxPoint> step(const Ohlcv& bar) {
        if (!dm_.advance(bar)) return std::nullopt;
        last_di_ = dm_.indices();
        const double dx = dm_.directional_index(last_di_);
        if (seeded_) {
            adx_ = ((n_ - 1.0) * adx_ + dx) / n_;
            return AdxPoint{last_di_.plus_di, last_di_.minus_di, adx_};
        }
        return seed(dx);
    }

    // The (+DI, −DI) of the last candle that reached the smoothed stage.
    DiPair last_di() const { return last_di_; }
    std::uint64_t period() const { return period_; }

private:
    explicit AdxCore(std::uint64_t n);

    // Collects the first n DX values; their mean is the first ADX.
    std::optional<AdxPoint> seed(double dx);

    DirectionalSmoother dm_;
    double adx_ = 0.0;
    bool seeded_ = false;
    double n_;
    std::vector<double> dx_seed_;
    std::uint64_t period_;
    DiPair last_di_;
};

}  // namespace torvex
