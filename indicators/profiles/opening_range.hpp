// Opening range: the high and low of the first n accepted bars, and how far the
// close lies above (positive) or below the middle of that range.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"
#include "indicators/profiles/initial_balance.hpp"

namespace torvex {

class OpeningRange final : public MultiOutput<OpeningRange, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"high", "low", "breakout_distance"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z then M on n.
    static std::expected<OpeningRange, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        range_.add(ctx.candle);
        const double mid = midpoint(range_.low(), range_.high());
        return std::array<double, 3>{range_.high(), range_.low(), ctx.candle.close - mid};
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit OpeningRange(std::uint64_t n) : range_(n) {}

    OpeningBars range_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, OpeningRange, 3);

}  // namespace torvex
