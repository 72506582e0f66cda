// Random walk index: the largest move from each of the last n − 1 bars to the
// current one, in units of the move a random walk with the same average true range
// would make over that span (average × √k).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

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

    // Each span's average true range is summed afresh from its oldest value, so an
    // update costs O(n²) additions.
    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return bars_.capacity(); }

private:
    explicit Rwi(std::uint64_t n) : bars_(n), ranges_(n - 1) {}

    FixedRing<Ohlcv> bars_;     // the last n bars
    FixedRing<double> ranges_;  // the true ranges of the newest n − 1 of them
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Rwi, 2);

}  // namespace torvex
