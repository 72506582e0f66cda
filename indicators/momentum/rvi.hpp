// Relative vigour index: the summed, symmetrically weighted candle bodies over the
// summed, equally weighted bar ranges of the last n bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/summed_pair_window.hpp"

namespace torvex {

class Rvi final : public CandleIndicator<Rvi> {
public:
    // Z(n), M(n).
    static std::expected<Rvi, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    // The first weighted pair needs four bars.
    std::uint64_t warmup() const override { return smoothed_.period() + 3; }

private:
    struct BodyRange {
        double body = 0.0;
        double range = 0.0;
    };

    explicit Rvi(std::uint64_t n) : recent_(4), smoothed_(n) {}

    std::optional<double> last_;
    CappedRing<BodyRange> recent_;
    SummedPairWindow smoothed_;  // weighted (body, range) pairs
};

}  // namespace torvex
