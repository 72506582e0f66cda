// Ultimate oscillator: a 4:2:1 weighted mean, 0 to 100, of the buying-pressure
// ratios over three window lengths.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <expected>
#include <optional>
#include <span>
#include <vector>

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
                const std::span<const Pair> counted = held.last(std::min<std::size_t>(held.size(), w.period));
                w.clock.settle(
                    ResumClock::first_leaves(w.period, counted.size()),
                    [counted](auto&& fn) {
                        for (const Pair& pair : counted) fn(pair.pressure, pair.range);
                    },
                    sums.pressure, sums.range);
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
        double mean = 0.0;
        weigh(ratio[0], ratio[1], ratio[2], mean);
        return mean;
    }
    // The first bar only supplies a previous close.
    std::uint64_t warmup() const override { return longest_ + 1; }

    // A run of valid candles: bar by bar until the history is full, then, where the run
    // is at least as long as the history, in chunks of three passes. The pairs of a
    // chunk are worked out several bars at once into a line that continues the history;
    // the running sums and their clocks alone go bar by bar, keeping each bar's sums;
    // and the answers are formed from those four bars at a time. The history is
    // copied into the line at the start and the newest pairs back into the ring at the
    // end, so a run cut into pieces gives the same answers.
    TORVEX_INLINE_LOOP void run_valid_fields(const FieldRows& rows, std::size_t count, double* __restrict out) {
        std::size_t r = 0;
        const auto bar = [&rows](std::size_t k) {
            return Ohlcv{0, rows.open[k], rows.high[k], rows.low[k], rows.close[k], rows.volume[k]};
        };
        for (; r < count && !history_.full(); ++r) out[r] = step(bar(r)).value_or(0.0);
        if (count - r < history_.capacity()) {
            for (; r < count; ++r) out[r] = step(bar(r)).value_or(0.0);
            return;
        }
        run_full(rows, r, count, out);
    }

private:
    using Quad = double __attribute__((vector_size(32)));

    // The 4:2:1 mean of the three ratios, 0 to 100 (for one bar, or four side by side;
    // vectors go by reference, as the baseline build passes none in registers).
    template <class V>
    static void weigh(const V& ratio0, const V& ratio1, const V& ratio2, V& mean) {
        mean = ((ratio1 * 2.0 + ratio0 * 4.0) + ratio2) * 100.0 / 7.0;
    }

    // Bars per chunk of the answers.
    static constexpr std::size_t kChunk = 256;

    // The steady part of a run (history full, every window complete): rows r .. count - 1,
    // at least as many as the history holds.
    TORVEX_INLINE_LOOP void run_full(const FieldRows& rows, std::size_t r, std::size_t count, double* __restrict out) {
        const std::size_t hist = history_.capacity();
        // The line holds the history and then up to `block` new pairs; when it is full
        // the newest `hist` move to its front, at most once per `hist` bars.
        const std::size_t block = std::max(kChunk, hist);
        const std::size_t cap = hist + block;
        if (line_.size() != 2 * cap) line_.assign(2 * cap, 0.0);
        double* const pressure = line_.data();
        double* const range = pressure + cap;
        {
            const std::span<const Pair> held = history_.view();
            for (std::size_t i = 0; i < hist; ++i) {
                pressure[i] = held[i].pressure;
                range[i] = held[i].range;
            }
        }
        SumLanes lanes[3] = {SumLanes::of(windows_[0]), SumLanes::of(windows_[1]), SumLanes::of(windows_[2])};
        double prev = prev_close_;
        std::size_t top = hist;  // where the next pair goes
        const std::uint64_t first = r;
        // Each bar's sums, a chunk at a time, padded to a whole number of quads.
        alignas(32) double sums[6][kChunk + 4];
        while (r < count) {
            if (top == cap) {
                std::memmove(pressure, pressure + (cap - hist), hist * sizeof(double));
                std::memmove(range, range + (cap - hist), hist * sizeof(double));
                top = hist;
            }
            const std::size_t n = std::min({count - r, cap - top, kChunk});
            // The pairs: each bar's true low and high take the close before it.
            {
                const double* __restrict high = rows.high + r;
                const double* __restrict low = rows.low + r;
                const double* __restrict close = rows.close + r;
                double* __restrict p = pressure + top;
                double* __restrict g = range + top;
                const auto pair_at = [&](std::size_t k, double before) {
                    const double true_low = std::min(low[k], before);
                    const double true_high = std::max(high[k], before);
                    p[k] = close[k] - true_low;
                    g[k] = true_high - true_low;
                };
                pair_at(0, prev);
                for (std::size_t k = 1; k < n; ++k) pair_at(k, close[k - 1]);
                prev = close[n - 1];
            }
            // The running sums of the three windows bar by bar, side by side.
            run_sums(lanes, pressure, range, top, n, sums);
            // The answers, four bars at a time (the lanes past n repeat the last bar).
            const std::size_t quads = (n + 3) / 4;
            for (std::size_t k = n; k < quads * 4; ++k)
                for (auto& row : sums) row[k] = row[n - 1];
            for (std::size_t k = 0; k < quads * 4; k += 4) {
                Quad ratio[3];
                for (std::size_t j = 0; j < 3; ++j) {
                    Quad p, g;
                    std::memcpy(&p, &sums[j][k], sizeof p);
                    std::memcpy(&g, &sums[3 + j][k], sizeof g);
                    const Quad q = p / g;
                    ratio[j] = g == 0.0 ? Quad{} + 0.5 : q;
                }
                Quad value;
                weigh(ratio[0], ratio[1], ratio[2], value);
                if (k + 4 <= n) {
                    std::memcpy(out + r + k, &value, sizeof value);
                } else {
                    for (std::size_t i = k; i < n; ++i) out[r + i] = value[i - k];
                }
            }
            top += n;
            r += n;
        }
        for (std::size_t j = 0; j < 3; ++j) lanes[j].put_back(windows_[j]);
        prev_close_ = prev;
        count_ += count - first;
        for (std::size_t i = top - hist; i < top; ++i) history_.replace_oldest(Pair{pressure[i], range[i]});
    }


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

    // A window's two sums as the lanes of one vector, with its re-sum clock's state:
    // the sums pass of a run steps the three windows side by side through these.
    using Duo = ResumClock::Lanes2;
    struct SumLanes {
        Duo sums;   // pressure, range
        Duo peaks;  // the clock's peaks of each
        ResumClock::State clock;
        std::size_t period;

        static SumLanes of(const WindowSums& w) {
            const ResumClock::State c = w.clock.state();
            return {Duo{w.pressure, w.range}, Duo{c.peak0, c.peak1}, c, static_cast<std::size_t>(w.period)};
        }
        void put_back(WindowSums& w) const {
            ResumClock::State c = clock;
            c.peak0 = peaks[0];
            c.peak1 = peaks[1];
            w.pressure = sums[0];
            w.range = sums[1];
            w.clock.set_state(c);
        }
    };

    // For k in [0, n): the pair at `top` + k joins each window and the one `period`
    // places before it leaves (added, then taken away, each lane one sum, as the step
    // does), and each window's clock ticks, firing exactly where ResumClock::tick would
    // and then re-adding the window's pairs from 0.0, oldest first. The sums of bar k
    // go to sums[j][k] (pressure) and sums[3 + j][k] (range) for window j. The three
    // windows go side by side: each one's sums are a chain of two additions a bar,
    // which alone would keep the processor waiting.
    static TORVEX_INLINE_LOOP void run_sums(SumLanes (&lanes)[3], const double* pressure, const double* range,
                                            std::size_t top, std::size_t n, double (*sums)[kChunk + 4]) {
        SumLanes a = lanes[0], b = lanes[1], c = lanes[2];
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t at = top + k;
            const Duo joins = {pressure[at], range[at]};
            step_lanes(a, joins, pressure, range, at);
            step_lanes(b, joins, pressure, range, at);
            step_lanes(c, joins, pressure, range, at);
            sums[0][k] = a.sums[0];
            sums[3][k] = a.sums[1];
            sums[1][k] = b.sums[0];
            sums[4][k] = b.sums[1];
            sums[2][k] = c.sums[0];
            sums[5][k] = c.sums[1];
        }
        lanes[0] = a;
        lanes[1] = b;
        lanes[2] = c;
    }
    [[gnu::always_inline]] static void step_lanes(SumLanes& w, Duo joins, const double* pressure, const double* range,
                                                  std::size_t at) {
        const Duo leaves = {pressure[at - w.period], range[at - w.period]};
        w.sums = (w.sums + joins) - leaves;
        if (ResumClock::tick_lanes(w.clock, w.peaks, w.sums)) [[unlikely]] {
            double p = 0.0;
            double g = 0.0;
            for (std::size_t i = at + 1 - w.period; i <= at; ++i) {
                p += pressure[i];
                g += range[i];
            }
            w.sums = Duo{p, g};
            const std::size_t from = at + 1 - w.period;
            ResumClock::settle_lanes(
                w.clock, w.peaks, 1,
                [pressure, range, from, at](auto&& fn) {
                    for (std::size_t i = from; i <= at; ++i) fn(pressure[i], range[i]);
                },
                w.sums);
        }
    }

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
    // The pressures and then the ranges of a run in progress (see run_full); empty
    // until the first run long enough to use it.
    std::vector<double> line_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, UltimateOscillator);

}  // namespace torvex
