// Know-sure-thing: four rates of change of the close over growing spans, each
// smoothed by a simple average and weighted 1 to 4, with a simple signal average.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Kst final : public MultiOutput<Kst, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"kst", "signal"};
    static constexpr InputGate kGate = InputGate::None;

    // Zero tests on all nine, MAX_PERIOD on the four spans, then the average
    // constructor for the four smoothing lengths and the signal length.
    static std::expected<Kst, IndicatorError> create(std::uint64_t roc1, std::uint64_t roc2, std::uint64_t roc3,
                                                     std::uint64_t roc4, std::uint64_t sma1, std::uint64_t sma2,
                                                     std::uint64_t sma3, std::uint64_t sma4, std::uint64_t signal);

    // A non-finite close answers nothing and changes nothing.
    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return warmup_; }

private:
    // One leg: the last span + 1 closes and the average of their rates of change.
    struct Leg {
        FixedRing<double> closes;
        SmaCore average;
    };

    Kst(std::array<Leg, 4> legs, SmaCore signal, std::uint64_t warmup)
        : legs_(std::move(legs)), signal_(std::move(signal)), warmup_(warmup) {}

    std::array<Leg, 4> legs_;
    SmaCore signal_;
    std::uint64_t warmup_;
};

}  // namespace torvex
