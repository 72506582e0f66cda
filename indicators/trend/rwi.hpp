// Random walk index: the largest move from each of the last n − 1 bars to the
// current one, in units of the move a random walk with the same average true range
// would make over that span (average × √k).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Rwi final : public MultiOutput<Rwi, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"high", "low"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod; n = 1: InvalidPeriod
    // "RWI requires period >= 2".
    static std::expected<Rwi, IndicatorError> create(std::uint64_t n);

    // Each span's average true range is the sum of its true ranges from the oldest,
    // kept span by span: the sum over the newest k ranges is the last bar's sum over
    // the newest k - 1 plus the new range, the same additions in the same order as
    // summing the span afresh, so an update costs O(n).
    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return bars_.capacity(); }

private:
    explicit Rwi(std::uint64_t n);

    FixedRing<Ohlcv> bars_;  // the last n bars
    // sums_[j]: the newest j true ranges (of the newest n − 1 bars) summed from -0.0,
    // oldest first; sums_[0] is that empty sum. Valid for j up to the ranges seen.
    std::vector<double> sums_;
    std::vector<double> roots_;  // roots_[k] = √k
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Rwi, 2);

}  // namespace torvex
