// DeMark range expansion index: the sum of the two-bar high and low moves on bars that
// overlap the bars five to eight back, over the sum of their absolute moves, in
// percent and clamped to [-100, 100]; 0.0 when nothing moved.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdRei final : public CandleIndicator<TdRei> {
public:
    // n == 0: ZeroPeriod; above MAX_PERIOD: the maximum text.
    static std::expected<TdRei, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return n_ + 8; }

private:
    explicit TdRei(std::uint64_t n) : bars_(9), numerators_(n), denominators_(n), n_(n) {}

    FixedRing<Ohlcv> bars_;  // the eight bars before the current one
    FixedRing<double> numerators_;
    FixedRing<double> denominators_;
    std::uint64_t n_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TdRei);

}  // namespace torvex
