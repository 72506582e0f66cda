// Ultimate oscillator: a 4:2:1 weighted mean, 0 to 100, of the buying-pressure
// ratios over three window lengths.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/resum_clock.hpp"

namespace torvex {

class UltimateOscillator final : public CandleIndicator<UltimateOscillator> {
public:
    // Any of the three 0: ZeroPeriod; any above MAX_PERIOD: InvalidPeriod (the
    // history is reserved up front).
    static std::expected<UltimateOscillator, IndicatorError> create(std::uint64_t p1, std::uint64_t p2,
                                                                    std::uint64_t p3);

    std::optional<double> step(const Ohlcv& bar);
    // The first bar only supplies a previous close.
    std::uint64_t warmup() const override { return longest_ + 1; }

private:
    struct Pair {
        double pressure = 0.0;
        double range = 0.0;
    };
    struct WindowSums {
        explicit WindowSums(std::uint64_t n) : period(n), clock(n) {}
        std::uint64_t period;
        double pressure = 0.0;
        double range = 0.0;
        // A range sum of exactly zero is a flat window, so each window's sums are
        // re-added from the history every `period` updates, and as soon as either
        // has fallen far below its recent size (see ResumClock).
        ResumClock clock;
    };

    UltimateOscillator(std::uint64_t p1, std::uint64_t p2, std::uint64_t p3, std::uint64_t m)
        : history_(m + 1), windows_{WindowSums(p1), WindowSums(p2), WindowSums(p3)}, longest_(m) {}

    std::optional<double> prev_close_;
    CappedRing<Pair> history_;
    std::array<WindowSums, 3> windows_;
    std::uint64_t longest_;
    std::uint64_t count_ = 0;
};

}  // namespace torvex
