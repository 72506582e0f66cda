// A market pinned between bid and ask holds a one-pole high-pass in a cycle of ±spread/2
// that does not decay, while the sum of two successive values, all the super smoother
// reads, decays by the pole: the smoothed values decay as pole^t, and the answers that
// read their quotients settle. Checked through runs of 3,000 and 20,000 bars at prices
// times 1 and 2^±300, and after the run against a long-double model started from the
// run's exact end state (the cycle, smoothed values 0: they have decayed past 1e-170).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include "registry/invariant_checks.hpp"
#include "registry/invariant_histories.hpp"

namespace torvex::test {
namespace {

constexpr long double kTwoPi = 6.283185307179586476925L;

// The high-pass (pole, gain) and the super smoother of length L, in long double.
struct RoofingModel {
    long double pole, gain, c2, c3, h = 0, f1 = 0, f2 = 0;
    RoofingModel(long double p, long double length) : pole(p), gain((1 + p) / 2) {
        const long double a = std::exp(-std::sqrt(2.0L) * 3.14159265358979323846L / length);
        c2 = 2 * a * std::cos(std::sqrt(2.0L) * 3.14159265358979323846L / length);
        c3 = -a * a;
    }
    long double step(long double change) {
        const long double h0 = pole * h + gain * change;
        const long double f = (1 - c2 - c3) * (h0 + h) / 2 + c2 * f1 + c3 * f2;
        h = h0;
        f2 = f1;
        f1 = f;
        return f;
    }
};

struct Row {
    const char* name;
    std::vector<double> params;
    long double pole;  // the high-pass's
    long double length;  // the smoother's
    std::size_t window;  // the stochastic's (0: the sinewave)
};

long double sinewave_pole(long double period) { return (1 - std::sin(kTwoPi / period)) / std::cos(kTwoPi / period); }
long double roofing_pole(long double period) {
    const long double t = kTwoPi / period;
    return 1 - (std::cos(t) + std::sin(t) - 1) / std::cos(t);
}

// A 200-bar walk, then `run` bars pinned between the last close (to the cent) and a
// `spread` above it, the close alternating between them.
std::vector<HostileBar> walk_then_pinned(std::size_t run, double spread) {
    std::vector<HostileBar> bars;
    append_walk(bars, 200, 100.0, 3);
    const double bid = std::round(bars.back().candle.close * 100.0) / 100.0, ask = bid + spread;
    for (std::size_t i = 0; i < run; ++i) {
        HostileBar b = bars.back();
        b.candle = Ohlcv{0, b.candle.close, ask, bid, i % 2 == 0 ? ask : bid, 300.0};
        bars.push_back(b);
    }
    return bars;
}

TEST(PinnedMarket, SmoothedHighpassQuotientsSettleThroughTheRunAndFollowExactArithmeticAfter) {
    const Row rows[] = {
        {"EvenBetterSinewave", {40, 10}, sinewave_pole(40), 10, 0},
        {"EvenBetterSinewave", {3, 3}, sinewave_pole(3), 3, 0},
        {"EvenBetterSinewave", {20, 5}, sinewave_pole(20), 5, 0},
        {"EhlersStochastic", {20}, roofing_pole(48), 10, 20},
        {"EhlersStochastic", {5}, roofing_pole(48), 10, 5},
    };
    for (const std::size_t run_length : {std::size_t{3000}, std::size_t{20000}}) {
        std::vector<HostileBar> bars = walk_then_pinned(run_length, 0.03);
        const double bid = bars.back().candle.low, ask = bars.back().candle.high;
        const std::size_t run_end = bars.size();
        append_walk(bars, 60, bars.back().candle.close, 11);
        stamp_times(bars);
        for (const Row& r : rows) {
            const std::string label = std::string(r.name) + "(" + std::to_string(r.params[0]) + "), run " +
                                      std::to_string(run_length);
            IndicatorBox plain = make(r.name, r.params);
            ASSERT_TRUE(plain) << label;
            const std::vector<Answer> got = run(*plain, bars, 0, bars.size());
            for (const int k : {300, -300}) {
                IndicatorBox scaled = make(r.name, r.params);
                const std::vector<Answer> at_scale = run(*scaled, bars, 0, bars.size(), std::ldexp(1.0, k));
                std::size_t differ = 0;
                for (std::size_t i = 0; i < bars.size(); ++i) differ += shown(at_scale[i]) != shown(got[i]);
                EXPECT_EQ(differ, 0u) << label << " at 2^" << k;
            }
            // Through the run, once the pole's mode leads (the smoother's poles are
            // smaller in each row): the smoothed values are
            // K·pole^t, so the sinewave reads (1 + q + q²)/√(3(1 + q² + q⁴)), q = 1/pole,
            // its sign following pole^t; the newest value is the window's extreme, and
            // the stochastic reads ±1.
            const long double q = 1 / r.pole;
            const long double settled = r.window ? 1 : (1 + q + q * q) / std::sqrt(3 * (1 + q * q + q * q * q * q));
            std::size_t off = 0;
            double before = 0.0;
            for (std::size_t i = 200 + 400; i < run_end; ++i) {
                const double v = *got[i].value;
                const bool flips = r.pole < 0 && r.window == 0;
                const bool ok = std::fabs(std::fabs(v) - static_cast<double>(settled)) < 1e-8 &&
                                (i == 600 || std::fabs(v - (flips ? -before : before)) < 1e-12);
                if (!ok && off++ == 0) ADD_FAILURE() << label << ", run bar " << i - 200 << ": " << v << " where ±" << static_cast<double>(settled);
                before = v;
            }
            EXPECT_EQ(off, 0u) << label;
            // After the run: the model from the exact cycle (+spread/2 after a rise to the ask).
            RoofingModel m(r.pole, r.length);
            m.h = (bars[run_end - 1].candle.close == ask ? 1 : -1) * (static_cast<long double>(ask) - bid) / 2;
            std::deque<long double> f{0, 0, 0};
            long double last_stoch = 0;
            for (std::size_t i = run_end; i < bars.size(); ++i) {
                f.push_front(m.step(static_cast<long double>(bars[i].candle.close) - bars[i - 1].candle.close));
                long double want;
                if (r.window == 0) {
                    const long double wave = (f[0] + f[1] + f[2]) / 3, power = (f[0] * f[0] + f[1] * f[1] + f[2] * f[2]) / 3;
                    want = std::clamp(wave / std::sqrt(power), -1.0L, 1.0L);
                } else {
                    const auto [lo, hi] = std::minmax_element(f.begin(), f.begin() + std::min(f.size(), r.window));
                    const long double s = 2 * (f[0] - *lo) / (*hi - *lo) - 1;
                    want = (s + last_stoch) / 2;
                    last_stoch = s;
                    if (i < run_end + r.window + 1) continue;  // the window and its previous reading are the walk's
                }
                EXPECT_NEAR(*got[i].value, static_cast<double>(want), 1e-9) << label << ", bar " << i - run_end << " after";
            }
        }
    }
}

// Over a pinned market the periodogram's filtered values decay as K·pole^t, so every
// three-bar correlation tends to 1 in exact arithmetic (an exact model of the filter in
// fractions agrees), and once the walk's peak has decayed the answer is the centroid of
// the spectrum of correlations that are all 1: the powers (Σ cos 2πj/p)² + (Σ sin)²,
// squared, over lags j = 3..hi, weighted where at least half the largest.
long double all_ones_centroid(int lo, int hi) {
    std::vector<long double> power(hi + 1);
    long double peak = 0;
    for (int p = lo; p <= hi; ++p) {
        long double c = 0, s = 0;
        for (int j = 3; j <= hi; ++j) c += std::cos(kTwoPi * j / p), s += std::sin(kTwoPi * j / p);
        power[p] = (c * c + s * s) * (c * c + s * s);
        peak = std::max(peak, power[p]);
    }
    long double num = 0, den = 0;
    for (int p = lo; p <= hi; ++p)
        if (power[p] / peak >= 0.5L) num += p * power[p] / peak, den += power[p] / peak;
    return num / den;
}

TEST(PinnedMarket, PeriodogramSettlesOnTheSpectrumOfUnitCorrelations) {
    for (const std::size_t run_length : {std::size_t{3000}, std::size_t{20000}}) {
        std::vector<HostileBar> bars = walk_then_pinned(run_length, 0.1);
        stamp_times(bars);
        for (const auto& [lo, hi] : {std::pair{10, 48}, std::pair{4, 19}}) {
            const double settled = static_cast<double>(all_ones_centroid(lo, hi));
            for (const int k : {0, 300, -300}) {
                const std::string label = "AutocorrelationPeriodogram(" + std::to_string(lo) + ", " + std::to_string(hi) +
                                          "), run " + std::to_string(run_length) + " at 2^" + std::to_string(k);
                IndicatorBox ind = make("AutocorrelationPeriodogram", {double(lo), double(hi)});
                ASSERT_TRUE(ind) << label;
                const std::vector<Answer> got = run(*ind, bars, 0, bars.size(), std::ldexp(1.0, k));
                std::size_t off = 0;
                for (std::size_t i = 200 + 1500; i < bars.size(); ++i)
                    if (!(std::fabs(*got[i].value - settled) < 1e-9) && off++ == 0)
                        ADD_FAILURE() << label << ", run bar " << i - 200 << ": " << *got[i].value << " where " << settled;
                EXPECT_EQ(off, 0u) << label;
            }
        }
    }
}

}  // namespace
}  // namespace torvex::test
