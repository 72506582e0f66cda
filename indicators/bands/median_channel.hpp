// Median channel: the median of the last n closes with bands at k median absolute
// deviations.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class MedianChannel final : public MultiOutput<MedianChannel, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::None;

    // Z(n), M(n), K(k).
    static std::expected<MedianChannel, IndicatorError> create(std::uint64_t n, double k);

    std::optional<std::array<double, 3>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    MedianChannel(SortedWindow window, double k);

    SortedWindow window_;
    double multiplier_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, MedianChannel, 3);

}  // namespace torvex
