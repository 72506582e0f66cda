// DeMark DeMarker: the mean of the upward high moves over the mean of the upward high
// and downward low moves of the last n bars, in [0, 1]; 0.5 when nothing moved.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdDeMarker final : public CandleIndicator<TdDeMarker> {
public:
    // n == 0: ZeroPeriod; above MAX_PERIOD: the maximum text.
    static std::expected<TdDeMarker, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return n_ + 1; }

private:
    explicit TdDeMarker(std::uint64_t n) : de_max_(n), de_min_(n), n_(n) {}

    std::optional<Ohlcv> previous_;
    FixedRing<double> de_max_;
    FixedRing<double> de_min_;
    std::uint64_t n_;
};

}  // namespace torvex
