// Kase permission stochastic: the raw stochastic of the last `period` bars, smoothed
// once (fast) and again (slow) by exponential averages.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/seeded_ema.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class KasePermissionStochastic final : public MultiOutput<KasePermissionStochastic, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"fast", "slow"};
    static constexpr InputGate kGate = InputGate::Candle;

    // period: zero, then MAX_PERIOD; then the same for smoothing.
    static std::expected<KasePermissionStochastic, IndicatorError> create(std::uint64_t period,
                                                                          std::uint64_t smoothing);

    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return range_.period() + 2 * fast_.period() - 2; }

private:
    KasePermissionStochastic(std::uint64_t period, std::uint64_t smoothing)
        : range_(period), fast_(smoothing), slow_(smoothing) {}

    SlidingExtremes range_;  // highest high and lowest low of the last `period` bars
    SeededEma fast_;
    SeededEma slow_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, KasePermissionStochastic, 2);

}  // namespace torvex
