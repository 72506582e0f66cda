// Know-sure-thing: four rates of change of the close over growing spans, each
// smoothed by a simple average and weighted 1 to 4, with a simple signal average.
#pragma once

#include <algorithm>
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
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const double x = ctx.candle.close;
        if (!is_finite(x)) return std::nullopt;
        std::array<std::optional<double>, 4> smoothed{};
        for (std::size_t i = 0; i < 4; ++i) {
            Leg& leg = legs_[i];
            leg.closes.push(x);
            if (!leg.closes.full()) continue;
            const double oldest = leg.closes.from_oldest(0);
            const double roc = oldest == 0.0 ? 0.0 : ((x - oldest) / oldest) * 100.0;
            smoothed[i] = leg.average.step(roc);
        }
        if (!legs_[3].closes.full()) return std::nullopt;
        for (const auto& s : smoothed) {
            if (!s) return std::nullopt;
        }
        const double kst = ((*smoothed[0] + 2.0 * *smoothed[1]) + 3.0 * *smoothed[2]) + 4.0 * *smoothed[3];
        const std::optional<double> signal = signal_.step(kst);
        if (!signal) return std::nullopt;
        return std::array<double, 2>{kst, *signal};
    }
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

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Kst, 2);

}  // namespace torvex
