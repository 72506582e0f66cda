// MACD over volume-weighted moving averages of the close, with an exponential
// signal average of the line.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/vwma.hpp"

namespace torvex {

class VolumeWeightedMacd final : public MultiOutput<VolumeWeightedMacd, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"macd", "signal", "histogram"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero tests on all three, fast < slow, then each against MAX_PERIOD.
    static std::expected<VolumeWeightedMacd, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                                    std::uint64_t signal);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::optional<double> fast = fast_.step(bar.close, bar.volume);
        const std::optional<double> slow = slow_.step(bar.close, bar.volume);
        if (!fast || !slow) return std::nullopt;
        const double macd = *fast - *slow;
        if (!is_finite(macd)) return std::nullopt;
        const std::optional<double> signal = signal_.step(macd);
        if (!signal) return std::nullopt;
        return std::array<double, 3>{macd, *signal, macd - *signal};
    }
    std::uint64_t warmup() const override { return slow_.period() + signal_.period() - 1; }

private:
    VolumeWeightedMacd(VwmaCore fast, VwmaCore slow, SeededEma signal)
        : fast_(std::move(fast)), slow_(std::move(slow)), signal_(signal) {}

    VwmaCore fast_;
    VwmaCore slow_;
    SeededEma signal_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, VolumeWeightedMacd, 3);

}  // namespace torvex
