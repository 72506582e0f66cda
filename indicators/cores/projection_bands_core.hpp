// The projection band step: the last n highs and lows, each carried forward to the
// newest bar along its window's least-squares slope; the upper band is the highest
// projected high, the lower band the lowest projected low.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/error.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

struct ProjectionPoint {
    double upper;
    double middle;
    double lower;
};

class ProjectionBandsCore {
public:
    // n below 2: InvalidPeriod "projection bands need period >= 2"; above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<ProjectionBandsCore, IndicatorError> create(std::uint64_t n);

    // No input guard (the owner passes a valid candle's high and low); the bands
    // once n bars came.
    std::optional<ProjectionPoint> step(double high, double low);

    std::uint64_t period() const { return period_; }
    const PositionSums& positions() const { return pos_; }

private:
    explicit ProjectionBandsCore(std::uint64_t n) : highs_(n), lows_(n), period_(n), pos_(PositionSums::of(n)) {}

    CappedRing<double> highs_;
    CappedRing<double> lows_;
    std::uint64_t period_;
    PositionSums pos_;
};

}  // namespace torvex
