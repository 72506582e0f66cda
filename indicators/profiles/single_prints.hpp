// Single prints: the number of price bins of the window's range that exactly one bar
// of the last n touched.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SinglePrints final : public CandleIndicator<SinglePrints> {
public:
    // n == 0 or bins == 0: ZeroPeriod; either above MAX_PERIOD: the maximum text.
    static std::expected<SinglePrints, IndicatorError> create(std::uint64_t n, std::uint64_t bins);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return n_; }

private:
    SinglePrints(std::uint64_t n, std::uint64_t bins) : bars_(n), n_(n), bins_(bins) { edges_.reserve(bins + 1); }

    FixedRing<Ohlcv> bars_;
    std::uint64_t n_;
    std::uint64_t bins_;
    std::vector<std::int64_t> edges_;  // scratch: +1 where a bar's cover starts, -1 past its end
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, SinglePrints);

}  // namespace torvex
