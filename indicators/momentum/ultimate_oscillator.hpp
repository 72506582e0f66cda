// Ultimate oscillator: a 4:2:1 weighted mean, 0 to 100, of the buying-pressure
// ratios over three window lengths.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>

#include "indicators/indicator.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"

namespace torvex {

class UltimateOscillator final : public CandleIndicator<UltimateOscillator> {
public:
    static constexpr bool kStepsOnFields = true;

    // Any of the three 0: ZeroPeriod; any above MAX_PERIOD: InvalidPeriod (the
    // history is reserved up front).
    static std::expected<UltimateOscillator, IndicatorError> create(std::uint64_t p1, std::uint64_t p2,
                                                                    std::uint64_t p3);

    // Always inlined: the column loop would otherwise call it with the state in memory.
    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        if (!has_prev_close_) [[unlikely]] {
            prev_close_ = bar.close;
            has_prev_close_ = true;
            return std::nullopt;
        }
        const double true_low = std::min(bar.low, prev_close_);
        const double true_high = std::max(bar.high, prev_close_);
        prev_close_ = bar.close;
        const Pair pair{bar.close - true_low, true_high - true_low};
        if (history_.full()) [[likely]] {
            history_.replace_oldest(pair);
        } else {
            history_.push_back(pair);
        }
        // The history is one contiguous run, oldest first: the pair that has just left
        // window j sits exactly p_j places before the newest.
        const std::span<const Pair> held = history_.view();
        const Pair* const newest = held.data() + (held.size() - 1);
        // Unrolled, so that the three windows' sums and clocks live in registers.
#pragma GCC unroll 3
        for (WindowSums& w : windows_) {
            w.pressure = w.pressure + pair.pressure;
            w.range = w.range + pair.range;
            if (count_ >= w.period) [[likely]] {
                const Pair& gone = newest[-static_cast<std::ptrdiff_t>(w.period)];
                w.pressure = w.pressure - gone.pressure;
                w.range = w.range - gone.range;
            }
            if (w.clock.tick(w.pressure, w.range)) [[unlikely]] {
                const Pair sums = window_sums(held, w.period);
                w.pressure = sums.pressure;
                w.range = sums.range;
            }
        }
        count_ += 1;
        if (count_ < longest_) [[unlikely]] return std::nullopt;
        // The three ratios are divided side by side: each lane is the same correctly
        // rounded quotient as a scalar division, and the divider is what a bar waits on.
        using Quad = double __attribute__((vector_size(32)));
        const Quad q = Quad{windows_[0].pressure, windows_[1].pressure, windows_[2].pressure, 1.0} /
                       Quad{windows_[0].range, windows_[1].range, windows_[2].range, 1.0};
        std::array<double, 3> ratio{};
        for (std::size_t j = 0; j < 3; ++j) ratio[j] = windows_[j].range == 0.0 ? 0.5 : q[j];
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

    // A window's sums re-added from its pairs, oldest first, from 0.0. (Returned, not
    // stored through a reference, so the running sums can stay in registers.)
    static Pair window_sums(std::span<const Pair> held, std::uint64_t period) {
        const std::size_t count = std::min<std::size_t>(held.size(), period);
        Pair sums{0.0, 0.0};
        for (const Pair& pair : held.last(count)) {
            sums.pressure += pair.pressure;
            sums.range += pair.range;
        }
        return sums;
    }

    double prev_close_ = 0.0;
    bool has_prev_close_ = false;  // false until the first bar
    // The last m + 1 pairs: the newest and, m places before it, the one that has just
    // left the longest window.
    FixedRing<Pair, RingLayout::Mirrored> history_;
    std::array<WindowSums, 3> windows_;
    std::uint64_t longest_;
    std::uint64_t count_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, UltimateOscillator);

}  // namespace torvex
