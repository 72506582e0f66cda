// Average directional movement rating: the midpoint of this bar's ADX and the ADX
// n − 1 bars earlier.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/adx_core.hpp"
#include "indicators/numeric.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Adxr final : public CandleIndicator<Adxr> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Adxr, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<AdxPoint> point = adx_.step(bar);
        if (!point) return std::nullopt;
        window_.push(point->adx);
        if (!window_.full()) return std::nullopt;
        last_ = midpoint(point->adx, window_.front());
        return last_;
    }
    std::uint64_t warmup() const override { return 3 * adx_.period() - 1; }

private:
    Adxr(AdxCore adx, std::uint64_t n) : adx_(std::move(adx)), window_(n) {}

    AdxCore adx_;
    std::optional<double> last_;
    CappedRing<double> window_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Adxr);

}  // namespace torvex
