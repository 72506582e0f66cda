// Hurst channel: the simple average of the close with a half-width of k times the
// high-low range of the last n bars.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class HurstChannel final : public MultiOutput<HurstChannel, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // K(k), Z(n), M(n).
    static std::expected<HurstChannel, IndicatorError> create(std::uint64_t n, double k);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        range_.push(ctx.candle.high, ctx.candle.low);
        const std::optional<double> s = average_.step(ctx.candle.close);
        if (!s) return std::nullopt;
        const double half = (range_.highest() - range_.lowest()) * multiplier_;
        return std::array<double, 3>{*s + half, *s, *s - half};
    }
    std::uint64_t warmup() const override { return average_.period(); }

private:
    HurstChannel(std::uint64_t n, SmaCore average, double k) : range_(n), average_(std::move(average)), multiplier_(k) {}

    SlidingExtremes range_;
    SmaCore average_;
    double multiplier_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, HurstChannel, 3);

}  // namespace torvex
