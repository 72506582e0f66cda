// Bomar bands: bands around the mean of the last n closes wide enough to cover a
// chosen fraction of the window's deviations relative to the mean.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>
#include <vector>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class BomarBands final : public MultiOutput<BomarBands, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::None;

    // Z(n), M(n), then coverage finite in (0, 1], else InvalidParameter "bomar bands
    // coverage must be a finite value in (0.0, 1.0]".
    static std::expected<BomarBands, IndicatorError> create(std::uint64_t n, double coverage);

    std::optional<std::array<double, 3>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    BomarBands(SortedWindow window, double coverage);

    // Every window length keeps the sorted copy: the deviations merged outward from
    // the mean come out in the same ascending order a sort of them would give.
    SortedWindow window_;
    std::vector<double> scratch_;  // relative deviations of the current bar, ascending
    double coverage_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, BomarBands, 3);

}  // namespace torvex
