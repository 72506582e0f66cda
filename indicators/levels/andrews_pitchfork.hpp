// Andrews pitchfork: from the last three alternating fractal swing points, the
// median line from the first through the midpoint of the other two, and the two
// parallel tines through them, evaluated at the current bar.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class AndrewsPitchfork final : public MultiOutput<AndrewsPitchfork, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"median", "upper", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z(n), M(n).
    static std::expected<AndrewsPitchfork, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 3>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    struct SwingPoint {
        double x = 0.0;  // bar index of the swing bar
        double price = 0.0;
        bool is_high = false;
    };

    explicit AndrewsPitchfork(std::uint64_t n) : window_(2 * n + 1), half_(n) {}

    // Appends a swing of the other kind than the last point, or moves the last
    // point of the same kind to a strictly more extreme price.
    void record(SwingPoint p);

    QueueSlidingExtremes window_;  // highs and lows of the last 2n + 1 bars
    std::array<SwingPoint, 3> points_{};  // oldest first
    std::size_t count_ = 0;
    std::uint64_t half_;
    std::uint64_t bars_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, AndrewsPitchfork, 3);

}  // namespace torvex
