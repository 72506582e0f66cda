// Ultimate oscillator: a 4:2:1 weighted mean, 0 to 100, of the buying-pressure
// ratios over three window lengths.
#pragma once

#include <algorithm>
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

    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double true_low = std::min(bar.low, *prev_close_);
        const double true_high = std::max(bar.high, *prev_close_);
        prev_close_ = bar.close;
        const Pair pair{bar.close - true_low, true_high - true_low};
        history_.push(pair);
        const std::size_t len = history_.size();
        for (WindowSums& w : windows_) {
            w.pressure = w.pressure + pair.pressure;
            w.range = w.range + pair.range;
            if (len > w.period) {
                const Pair& gone = history_[len - 1 - w.period];
                w.pressure = w.pressure - gone.pressure;
                w.range = w.range - gone.range;
            }
            if (w.clock.tick(w.pressure, w.range)) {
                double p = 0.0;
                double r = 0.0;
                const std::size_t held = std::min<std::size_t>(len, w.period);
                for (std::size_t i = len - held; i < len; ++i) {
                    p += history_[i].pressure;
                    r += history_[i].range;
                }
                w.pressure = p;
                w.range = r;
            }
        }
        if (len > longest_) history_.pop_front();
        count_ += 1;
        if (count_ < longest_) return std::nullopt;
        std::array<double, 3> ratio{};
        for (std::size_t j = 0; j < 3; ++j) {
            ratio[j] = windows_[j].range == 0.0 ? 0.5 : windows_[j].pressure / windows_[j].range;
        }
        return ((ratio[1] * 2.0 + ratio[0] * 4.0) + ratio[2]) * 100.0 / 7.0;
    }
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
