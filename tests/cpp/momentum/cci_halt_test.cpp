// Cci and AdaptiveCci through halts of every kind and on the bars after them. The
// models keep each mean as its distance from the newest typical price in long double
// (the prices' own differences, exact for these prices): no price level enters it, so
// it is exact arithmetic on the same typical prices to about 1e-19 of the window's
// spread, at every scale and level. A mean held at the level instead rounds to its
// ulps, which a deviation a sliver of the level shows in the index.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "indicators/cores/bar_prices.hpp"
#include "indicators/momentum/adaptive_cci.hpp"
#include "indicators/momentum/cci.hpp"
#include "volatility/candle_support.hpp"

namespace torvex::test {
namespace {

using Ld = long double;

// The index of each bar from the mean's distance to the newest price: adaptive with
// the smoothing constants as stated, else the window's average.
std::vector<double> model(const std::vector<double>& tps, std::size_t n, bool adaptive) {
    std::vector<double> out(tps.size(), NAN);
    Ld d = 0;  // the mean less the newest price
    bool started = false;
    for (std::size_t i = n - 1; i < tps.size(); ++i) {
        const double* w = &tps[i + 1 - n];
        const Ld tp = tps[i];
        Ld path = 0, sum = 0;
        for (std::size_t k = 0; k < n; ++k) sum += Ld(w[k]) - tp;
        for (std::size_t k = 1; k < n; ++k) path += std::fabs(Ld(w[k]) - Ld(w[k - 1]));
        if (!adaptive || !started) {
            d = sum / Ld(n);
        } else {
            d += Ld(tps[i - 1]) - tp;
            Ld sc = 0.004162330905306971L;
            if (path > 0) {
                const Ld root = std::min<Ld>(1, std::fabs(tp - Ld(w[0])) / path) * 0.6021505376344085L + 0.06451612903225806L;
                sc = root * root;
            }
            d -= sc * d;
        }
        started = true;
        Ld dev = 0;
        for (std::size_t k = 0; k < n; ++k) dev += std::fabs((Ld(w[k]) - tp) - d);
        dev /= Ld(n);
        const bool flat = path == 0 && (adaptive ? d == 0 : true);
        out[i] = flat || dev == 0 ? 0.0 : double(-d / (dev * 0.015L));
    }
    return out;
}

enum class Halt { Flat, Repeat, Pinned };

// 300 bars of a wavy market, a halt, a bar a few ticks up, 30 more bars; every price
// times `scale`, then plus `level`.
std::vector<Ohlcv> halted(Halt kind, std::size_t halt, double scale, double level) {
    std::vector<Ohlcv> bars = wavy_bars(300);
    const Ohlcv last = bars.back();
    const double c = last.close, t = 1.0 / 128.0;
    for (std::size_t i = 0; i < halt; ++i) {
        if (kind == Halt::Flat) bars.push_back({0, c, c, c, c, 0.0});
        if (kind == Halt::Repeat) bars.push_back(last);
        if (kind == Halt::Pinned) bars.push_back({0, c, c + 2 * t, c - 2 * t, i % 2 == 0 ? c + 2 * t : c - 2 * t, 5.0});
    }
    bars.push_back({0, c, c + 4 * t, c, c + 3 * t, 5.0});
    for (const Ohlcv& b : wavy_bars(30)) {
        const double k = (c + 3 * t) / 100.0;
        bars.push_back({0, b.open * k, b.high * k, b.low * k, b.close * k, b.volume});
    }
    for (std::size_t i = 0; i < bars.size(); ++i) {
        Ohlcv& b = bars[i];
        for (double* p : {&b.open, &b.high, &b.low, &b.close}) *p = *p * scale + level;
        b.ts = 1'700'000'000'000 + 60'000 * static_cast<std::int64_t>(i);
    }
    return bars;
}

TEST(CciHalt, ReadsWhatExactArithmeticReadsThroughAndAfterEveryKindOfHalt) {
    struct Row {
        Halt kind;
        std::size_t halt, n;
    };
    // 20,000 flat bars carry the adaptive mean's distance to some e^-83 of its start,
    // where a mean held at the level stalls 1/(2 sc) ulps away.
    const Row rows[] = {{Halt::Pinned, 3000, 20}, {Halt::Pinned, 3000, 5}, {Halt::Pinned, 3000, 50},
                        {Halt::Flat, 3000, 20},   {Halt::Flat, 20000, 20}, {Halt::Repeat, 20000, 5},
                        {Halt::Repeat, 3000, 14}, {Halt::Flat, 3000, 14}};
    const struct {
        double scale, level;
    } relations[] = {{1.0, 0.0}, {std::ldexp(1.0, 200), 0.0}, {std::ldexp(1.0, -200), 0.0}, {1.0, 1000.0}};
    for (const Row& r : rows)
        for (const auto& [scale, level] : relations)
            for (const bool adaptive : {true, false}) {
                SCOPED_TRACE(std::string(adaptive ? "AdaptiveCci" : "Cci") + "(" + std::to_string(r.n) + "), halt kind " +
                             std::to_string(static_cast<int>(r.kind)) + " of " + std::to_string(r.halt) + ", scale 2^" +
                             std::to_string(std::ilogb(scale)) + ", level " + std::to_string(level));
                const std::vector<Ohlcv> bars = halted(r.kind, r.halt, scale, level);
                std::vector<double> tps;
                for (const Ohlcv& b : bars) tps.push_back(typical_price(b));
                const std::vector<double> want = model(tps, r.n, adaptive);
                AdaptiveCci a = *AdaptiveCci::create(r.n);
                Cci c = *Cci::create(r.n);
                std::size_t off = 0;
                for (std::size_t i = 0; i < bars.size(); ++i) {
                    const double got = (adaptive ? a.step(bars[i]) : c.step(bars[i])).value_or(NAN);
                    if (i < 300) continue;  // the walk: the stored mean's own rounding
                    // A billionth of the index, and of a point near zero.
                    if (!(std::fabs(got - want[i]) <= 1e-9 * std::max(1.0, std::fabs(want[i]))) && off++ == 0)
                        ADD_FAILURE() << "bar " << i - 300 << " of the halt: " << got << " where " << want[i] << " is due";
                }
                EXPECT_EQ(off, 0u);
            }
}

}  // namespace
}  // namespace torvex::test
