// Fractal chaos bands: the latest confirmed fractal high and fractal low, each held
// until the next one. A fractal is the centre bar of a 2p + 1 bar window whose high
// (low) is strictly above (below) that of every other bar of the window.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class FractalChaosBands final : public MultiOutput<FractalChaosBands, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"upper", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z(p), M(p).
    static std::expected<FractalChaosBands, IndicatorError> create(std::uint64_t p);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        window_.push(ctx.candle.high, ctx.candle.low);
        if (!window_.full()) return std::nullopt;
        if (window_.only_highest(half_)) upper_ = window_.highest();
        if (window_.only_lowest(half_)) lower_ = window_.lowest();
        if (!upper_ || !lower_) return std::nullopt;
        return std::array<double, 2>{*upper_, *lower_};
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit FractalChaosBands(std::uint64_t p) : window_(2 * p + 1), half_(p) {}

    std::optional<double> upper_;
    std::optional<double> lower_;
    QueueSlidingExtremes window_;  // highs and lows of the last 2p + 1 bars
    std::uint64_t half_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, FractalChaosBands, 2);

}  // namespace torvex
