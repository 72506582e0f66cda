// Volume-weighted support and resistance: the volume-weighted means of the window's
// lows and highs, or their plain means over a window without volume.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VolumeWeightedSr final : public MultiOutput<VolumeWeightedSr, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"support", "resistance"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z then M on the period.
    static std::expected<VolumeWeightedSr, IndicatorError> create(std::uint64_t period);

    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit VolumeWeightedSr(std::uint64_t period) : window_(period), clock_(period) {}

    struct Entry {
        double high;
        double low;
        double volume;
    };
    // The five running sums move together: a bar in adds, the bar that leaves subtracts.
    struct Sums {
        double vh = 0.0;
        double vl = 0.0;
        double v = 0.0;
        double h = 0.0;
        double l = 0.0;
    };

    FixedRing<Entry> window_;
    Sums sums_;
    ResumClock clock_;
};

}  // namespace torvex
