// WaveTrend: the distance of the typical price from its exponential average, in
// units of the average absolute distance, smoothed (wt1) and simply averaged (wt2).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class WaveTrend final : public MultiOutput<WaveTrend, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"wt1", "wt2"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero tests on all three, then each against MAX_PERIOD.
    static std::expected<WaveTrend, IndicatorError> create(std::uint64_t channel, std::uint64_t average,
                                                           std::uint64_t signal);

    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override {
        return 2 * esa_.period() + wt1_.period() + wt2_.period() - 3;
    }

private:
    WaveTrend(std::uint64_t channel, std::uint64_t average, SmaCore signal)
        : esa_(channel), deviation_(channel), wt1_(average), wt2_(std::move(signal)) {}

    SeededEma esa_;        // of the typical price
    SeededEma deviation_;  // of its absolute distance from esa
    SeededEma wt1_;        // of the channel index
    SmaCore wt2_;
};

}  // namespace torvex
