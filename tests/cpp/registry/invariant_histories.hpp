// The hostile histories that the whole-registry invariant test walks every name
// through; each bar becomes a context through BarFeeds, which derives every feed
// from the bar's price level so that an extreme price reaches every feed at once.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "docgen/bar_feeds.hpp"
#include "indicators/indicator.hpp"

namespace torvex::test {

// The bars, their feeds and the seeded walk are shared with the page generator.
using HostileBar = feeds::FedBar;
using feeds::append_walk;
using feeds::BarFeeds;

struct History {
    std::string name;
    std::vector<HostileBar> bars;
    double scale = 100.0;  // the price level of the tail, for the absolute floor of the comparisons
    bool positive = true;  // every price above zero

    // The index just past the last extreme bar (0 when there is none).
    std::size_t after_last_extreme() const {
        std::size_t k = 0;
        for (std::size_t i = 0; i < bars.size(); ++i)
            if (bars[i].extreme) k = i + 1;
        return k;
    }
};

// ---- Building blocks.

inline HostileBar level_bar(double value, double reference, bool extreme = false, double volume = 1.0) {
    return {Ohlcv{0, value, value, value, value, volume}, reference, extreme};
}

inline void append_level(std::vector<HostileBar>& out, std::size_t count, double value, double reference,
                         bool extreme = false) {
    for (std::size_t i = 0; i < count; ++i) out.push_back(level_bar(value, reference, extreme));
}

// A straight rising line of flat bars: first, first + step, ...
inline void append_line(std::vector<HostileBar>& out, std::size_t count, double first, double step) {
    for (std::size_t i = 0; i < count; ++i) {
        const double v = first + step * static_cast<double>(i);
        out.push_back(level_bar(v, 0.5 * v + 0.1 * static_cast<double>(i % 3)));
    }
}

inline void stamp_times(std::vector<HostileBar>& bars) {
    for (std::size_t i = 0; i < bars.size(); ++i) bars[i].candle.ts = 1'700'000'000'000LL + 60'000LL * static_cast<std::int64_t>(i);
}

// ---- The histories. `tail` is the number of ordinary bars after the last extreme:
// long enough for the longest finite window in use to pass entirely.

inline std::vector<History> hostile_histories(std::size_t tail, std::size_t fill) {
    std::vector<History> hs;
    auto add = [&hs](std::string name, std::vector<HostileBar> bars, double scale = 100.0) {
        stamp_times(bars);
        hs.push_back({std::move(name), std::move(bars), scale});
    };
    constexpr double kBig = 1e12;
    {  // An ordinary random walk.
        std::vector<HostileBar> b;
        append_walk(b, tail + 60, 100.0, 1);
        add("walk", std::move(b));
    }
    {  // One 1e12 bar inside a walk, then a straight line and a walk.
        std::vector<HostileBar> b;
        append_walk(b, fill + 5, 100.0, 2);
        b.push_back(level_bar(kBig, 0.5 * kBig, true));
        append_line(b, 12, 100.0, 1.0);
        append_walk(b, tail, 111.0, 3);
        add("one_1e12_bar", std::move(b));
    }
    {  // A block of 1e12 bars at the first fill, then a straight line and a walk.
        std::vector<HostileBar> b;
        append_level(b, fill, kBig, 0.5 * kBig, true);
        append_line(b, 12, 100.0, 1.0);
        append_walk(b, tail, 111.0, 4);
        add("1e12_block_at_first_fill", std::move(b));
    }
    {  // A block of two 1e12 bars right after the first fill.
        std::vector<HostileBar> b;
        append_walk(b, fill, 100.0, 5);
        append_level(b, 2, kBig, 0.5 * kBig, true);
        append_line(b, 12, 100.0, 1.0);
        append_walk(b, tail, 111.0, 6);
        add("1e12_block_after_first_fill", std::move(b));
    }
    {  // One 1e12 close among small integer moves.
        std::vector<HostileBar> b;
        for (double c : {100.0, 101.0, 103.0, 102.0, 104.0}) b.push_back(level_bar(c, c * 0.5));
        b.push_back(level_bar(kBig, 0.5 * kBig, true));
        for (double c : {105.0, 107.0, 106.0, 108.0, 107.0, 109.0, 108.0, 110.0, 111.0})
            b.push_back(level_bar(c, c * 0.5));
        append_walk(b, tail, 111.0, 7);
        add("1e12_among_integers", std::move(b));
    }
    {  // A collapse from the 1e12 level to 1e-9, then a walk at that level.
        std::vector<HostileBar> b;
        append_walk(b, fill, 100.0, 8);
        b.push_back(level_bar(kBig, 0.5 * kBig, true));
        const int steps = 84;  // falling candles, a factor of 10 every four bars
        for (int i = 1; i <= steps; ++i) {
            const double o = kBig * std::pow(10.0, -21.0 * (i - 1) / steps);
            const double c = kBig * std::pow(10.0, -21.0 * i / steps);
            b.push_back({Ohlcv{0, o, o, c, c, 1.0}, 0.5 * c, true});
        }
        append_walk(b, tail, 1e-9, 9);
        add("collapse_1e12_to_1e-9", std::move(b), 1e-9);
    }
    {  // Tick-grid prices: integer closes with the reference on a grid of 0.1 (the
       // pair first, with the reference going flat while the close still moves),
       // then everything exactly flat.
        std::vector<HostileBar> b;
        for (auto [c, r] : {std::pair{21.0, 10.3}, {20.0, 10.1}, {23.0, 10.1}, {20.0, 10.1}})
            b.push_back(level_bar(c, r));
        std::uint64_t s = 11;
        double c = 20.0, r = 10.1;
        for (std::size_t i = 0; i < fill + tail; ++i) {
            s = s * 6364136223846793005ull + 1442695040888963407ull;
            const int step = static_cast<int>((s >> 33) % 5) - 2;
            const int rstep = static_cast<int>((s >> 40) % 3) - 1;
            const double o = c;
            c = std::max(1.0, c + step);
            if (i < fill) r = std::max(0.1, std::round((r + 0.1 * rstep) * 10.0) / 10.0);
            else r = 10.1;  // the reference is flat while the close still moves
            const double h = std::max(o, c) + static_cast<double>((s >> 20) % 2);
            const double l = std::min(o, c) - static_cast<double>((s >> 24) % 2);
            b.push_back({Ohlcv{0, o, h, l, c, static_cast<double>(1 + (s >> 28) % 9)}, r, false});
        }
        append_level(b, tail, c, r);
        add("tick_grid_then_flat", std::move(b));
    }
    {  // Returns: small values of both signs on a grid of 1e-4, zero among them, and
       // runs with no loss as long as the tail.
        std::vector<HostileBar> b;
        for (double v : {0.01, 0.01, -0.0431, -0.0307, -0.0145, 0.0095, 0.0433, 0.0251})
            b.push_back(level_bar(v, 0.5 * v));
        std::uint64_t s = 13;
        for (std::size_t i = 0; i < fill + tail; ++i) {
            s = s * 6364136223846793005ull + 1442695040888963407ull;
            const double v = (static_cast<double>((s >> 33) % 1001) - 500.0) * 1e-4;
            b.push_back(level_bar(v, 0.5 * v));
        }
        for (std::size_t i = 0; i < tail; ++i) {
            const double v = 0.0005 * static_cast<double>(i % 7);
            b.push_back(level_bar(v, 0.5 * v));
        }
        add("returns_signs_and_zero", std::move(b), 0.05);
        hs.back().positive = false;
    }
    {  // A volume of 1e12 on one bar of a walk.
        std::vector<HostileBar> b;
        append_walk(b, fill + 5, 100.0, 14);
        b.back().candle.volume = kBig;
        b.back().extreme = true;
        append_walk(b, tail, b.back().candle.close, 15);
        add("volume_1e12_bar", std::move(b));
    }
    {  // A long stay near 1e12, a geometric fall over 20 bars to 1e-9, then a small wobble
       // there: a running sum that may re-add after a fall only once per window keeps
       // the residue of the 1e12 level for up to a window after the level has gone.
        // The reference wobbles on its own, so that a pair's spread is not flat.
        std::vector<HostileBar> b;
        auto reference = [&b](double v) { return 0.5 * v * (1.0 + 0.003 * std::cos(0.37 * static_cast<double>(b.size()))); };
        for (int i = 0; i < 300; ++i) {
            const double v = kBig * (1.0 + 0.001 * std::sin(i));
            b.push_back(level_bar(v, reference(v), true));
        }
        for (int k = 1; k <= 20; ++k) {
            const double v = kBig * std::pow(10.0, -21.0 * k / 20);
            b.push_back(level_bar(v, reference(v), true));
        }
        for (std::size_t i = 0; i < std::max<std::size_t>(tail, 200); ++i) {
            const double v = 1e-9 * (1.0 + 0.01 * std::sin(0.7 * static_cast<double>(i)));
            b.push_back(level_bar(v, reference(v)));
        }
        add("fall_from_1e12_level_to_1e-9", std::move(b), 1e-9);
    }
    // ---- Terms that turn a running sum non-finite, and a huge value that leaves
    // during the first fill.
    {  // A candle with a low, or an open and a low, below zero as the third bar: its
       // logarithms are NaN, and must leave no trace once gone. (A zero low makes the
       // range estimators infinite while it is held, which (a) would refuse.)
        const Ohlcv base[] = {{0, 1, 1, 1, 1, 1},          {0, 1, 1.2, 0.9, 1.1, 1},      {0, 1.1, 1.1, -1.0, 1.0, 1},
                              {0, 1.0, 1.3, 0.95, 1.2, 1}, {0, 1.2, 1.25, 1.1, 1.15, 1}, {0, 1.15, 1.3, 1.1, 1.25, 1},
                              {0, 1.25, 1.4, 1.2, 1.3, 1}, {0, 1.3, 1.35, 1.2, 1.22, 1}};
        const std::pair<const char*, Ohlcv> bad[] = {{"negative_low", {0, 1.1, 1.1, -1.0, 1.0, 1}},
                                                     {"negative_open", {0, -1.1, 1.1, -1.1, 1.0, 1}}};
        for (const auto& [label, third] : bad) {
            std::vector<HostileBar> b;
            for (std::size_t i = 0; i < std::size(base); ++i)
                b.push_back({i == 2 ? third : base[i], 0.5 * base[i].close, i == 2});
            append_walk(b, fill + tail, 1.22, 16);
            // The window check starts once the bad bar has left, where every price is
            // above zero again.
            add(std::string("candle_with_") + label, std::move(b), 1.0);
        }
    }
    {  // 1e12 as the very first close of a short cycle of closes, repeated.
        const double cycle[] = {100.1, 101.37, 99.83, 102.41, 100.9, 101.13, 99.7, 100.33, 102.07, 101.59};
        std::vector<HostileBar> b;
        b.push_back(level_bar(kBig, 0.5 * kBig, true));
        for (std::size_t i = 1; i < 40 + fill + tail; ++i) {
            const double c = cycle[i % std::size(cycle)];
            b.push_back(level_bar(c, 0.5 * c + 0.1 * static_cast<double>(i % 3)));
        }
        add("1e12_first_of_a_cycle", std::move(b));
    }
    return hs;
}

// ---- Halts: a market that stops moving in one of the ways a feed shows it, and the
// first bar after it. Prices lie on a grid of 1/128, so that every move (a tick up
// and a tick down from the same price above all) is exact at every scale and level.

enum class HaltKind { Flat, Repeat, Pinned, ReferenceHeld, CloseHeld };
enum class FirstBar { Up, Down, Equal, Gap, Inside };
inline constexpr double kGridTick = 1.0 / 128.0;
inline double on_grid(double x) { return std::round(x / kGridTick) * kGridTick; }

// A seeded walk of whole candles on the grid from the last bar (100 and 50 for an
// empty history), volume 1 to 11, the reference reverting to half the close.
inline void append_grid_walk(std::vector<HostileBar>& out, std::size_t count, std::uint64_t seed) {
    std::uint64_t s = seed * 0x9E3779B97F4A7C15ull + 12345;
    auto unit = [&s] {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(s >> 11) / 9007199254740992.0 - 0.5;
    };
    double x = out.empty() ? 100.0 : out.back().candle.close, ref = out.empty() ? 50.0 : out.back().reference;
    for (std::size_t i = 0; i < count; ++i) {
        const double o = x;
        x = std::max(on_grid(x + 2.0 * unit()), 10.0);
        const double h = on_grid(std::max(o, x) + 0.5 * (unit() + 0.5));
        const double l = std::max(on_grid(std::min(o, x) - 0.5 * (unit() + 0.5)), kGridTick);
        const double v = 1.0 + std::round(10.0 * (unit() + 0.5));
        ref = std::max(on_grid(0.5 * ref + 0.25 * x + unit()), kGridTick);
        out.push_back({Ohlcv{0, o, h, std::min({l, o, x}), x, v}, ref, false});
    }
}

// `count` bars of a halt after the last bar: a flat candle at the close with no
// volume; the last candle repeated with its range and volume; a market pinned between
// a bid and an ask two ticks either side (high = ask, low = bid, each close at the
// other side, so no directional movement); the reference held while the candle walks;
// the candle flat while the reference walks.
inline void append_halt(std::vector<HostileBar>& out, HaltKind kind, std::size_t count, std::uint64_t seed) {
    const HostileBar last = out.back();
    const double c = last.candle.close, r = last.reference;
    switch (kind) {
        case HaltKind::Flat: out.insert(out.end(), count, HostileBar{Ohlcv{0, c, c, c, c, 0.0}, r, false}); break;
        case HaltKind::Repeat: out.insert(out.end(), count, last); break;
        case HaltKind::Pinned: {
            const double bid = c - 2 * kGridTick, ask = c + 2 * kGridTick;
            for (std::size_t i = 0; i < count; ++i)
                out.push_back({Ohlcv{0, out.back().candle.close, ask, bid, i % 2 == 0 ? ask : bid, last.candle.volume}, r, false});
            break;
        }
        case HaltKind::ReferenceHeld: {
            append_grid_walk(out, count, seed);
            for (std::size_t i = out.size() - count; i < out.size(); ++i) out[i].reference = r;
            break;
        }
        case HaltKind::CloseHeld: {
            std::vector<HostileBar> w{last};
            append_grid_walk(w, count, seed);
            for (std::size_t i = 1; i <= count; ++i) out.push_back({Ohlcv{0, c, c, c, c, 0.0}, w[i].reference, false});
            break;
        }
    }
}

// The first bar after a halt at the close p: up or down by three ticks, a tick each
// way closing at p (equal up and down moves), a gap of 40 ticks, or inside the range
// of the last bar with one (else of the last bar before the halt, `before`).
inline void append_first_bar(std::vector<HostileBar>& out, FirstBar kind, const HostileBar& before) {
    const HostileBar& last = out.back();
    const double p = last.candle.close, t = kGridTick;
    Ohlcv f{0, p, p, p, p, 5.0};
    switch (kind) {
        case FirstBar::Up: f = {0, p, p + 4 * t, p, p + 3 * t, 5.0}; break;
        case FirstBar::Down: f = {0, p, p, p - 4 * t, p - 3 * t, 5.0}; break;
        case FirstBar::Equal: f = {0, p, p + t, p - t, p, 5.0}; break;
        case FirstBar::Gap: f = {0, p + 40 * t, p + 44 * t, p + 38 * t, p + 42 * t, 5.0}; break;
        case FirstBar::Inside: {
            const Ohlcv& in = last.candle.high - last.candle.low >= 4 * t ? last.candle : before.candle;
            const double mid = on_grid(0.5 * (in.high + in.low));
            f = {0, mid, std::max(mid, in.high - t), std::min(mid, in.low + t), mid, 5.0};
            break;
        }
    }
    out.push_back({f, on_grid(last.reference + 0.5 * (f.close - p)), false});
}

// `count` identical flat bars at `price` (volume 1).
inline History flat_history(std::size_t count, double price) {
    std::vector<HostileBar> b;
    append_level(b, count, price, 0.5 * price);
    stamp_times(b);
    return {"flat", std::move(b), price};
}

}  // namespace torvex::test
