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

    std::optional<double> step(const Ohlcv& bar) {
        recent_.push(BodyRange{bar.close - bar.open, bar.high - bar.low});
        if (!recent_.full()) return std::nullopt;
        const BodyRange& a0 = recent_[0];
        const BodyRange& a1 = recent_[1];
        const BodyRange& a2 = recent_[2];
        const BodyRange& a3 = recent_[3];
        smoothed_.push((a0.body + ((a1.body + a1.body) + ((a2.body + a2.body) + a3.body))) / 6.0,
                       (a0.range + ((a1.range + a1.range) + ((a2.range + a2.range) + a3.range))) / 6.0);
        if (!smoothed_.full()) return std::nullopt;
        const double range_sum = smoothed_.sum_b();
        if (!(range_sum > 0.0)) return last_;
        const double rvi = smoothed_.sum_a() / range_sum;
        last_ = rvi;
        return rvi;
    }
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

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Rvi);

}  // namespace torvex
