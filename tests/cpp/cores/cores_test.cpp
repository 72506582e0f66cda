// Shared numeric cores: known values worked by hand, constructor checks, drift
// control against freshly summed windows, and refusal of non-finite input.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "indicators/cores/adx_core.hpp"
#include "indicators/cores/bollinger_core.hpp"
#include "indicators/cores/cmo_core.hpp"
#include "indicators/cores/hilbert_core.hpp"
#include "indicators/cores/lin_reg_core.hpp"
#include "indicators/cores/penetration_ring.hpp"
#include "indicators/cores/projection_slope.hpp"
#include "indicators/cores/rsi_core.hpp"
#include "indicators/cores/rvi_volatility_core.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/sorted_window.hpp"
#include "indicators/averages/wma.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint64_t kTooLong = MAX_PERIOD + 1;

template <class T>
std::string error_text(const std::expected<T, IndicatorError>& r) {
    return r ? std::string("ok") : r.error().display();
}

TEST(CoreConstruction, ChecksAndMessagesInOrder) {
    const std::string zero = "period must be greater than zero";
    const std::string too_long = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
    const std::string mama = "invalid period: fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1";
    struct Case {
        std::string got;
        std::string want;
    };
    const Case cases[] = {
        {error_text(WmaCore::create(0)), zero},
        {error_text(WmaCore::create(kTooLong)), too_long},
        {error_text(WmaCore::create(MAX_PERIOD)), "ok"},
        {error_text(Wma::create(0)), zero},
        {error_text(BollingerCore::create(0, -1.0)), zero},
        {error_text(BollingerCore::create(kTooLong, -1.0)), too_long},
        {error_text(BollingerCore::create(5, 0.0)), "multiplier must be greater than zero"},
        {error_text(BollingerCore::create(5, kInf)), "multiplier must be greater than zero"},
        {error_text(BollingerCore::create(5, 2.0)), "ok"},
        {error_text(LinRegCore::create(0)), "invalid period: linear regression needs period >= 2"},
        {error_text(LinRegCore::create(1)), "invalid period: linear regression needs period >= 2"},
        {error_text(LinRegCore::create(kTooLong)), too_long},
        {error_text(LinRegCore::create(2)), "ok"},
        {error_text(RviVolatilityCore::create(0)), zero},
        {error_text(RviVolatilityCore::create(kTooLong)), too_long},
        {error_text(RviVolatilityCore::create(1)), "invalid period: RVI period must be >= 2"},
        {error_text(RsiCore::create(0)), zero},
        {error_text(RsiCore::create(kTooLong)), too_long},
        {error_text(CmoCore::create(0)), zero},
        {error_text(AdxCore::create(kTooLong)), too_long},
        {error_text(SeededEma::create(0)), zero},
        {error_text(PenetrationRing::create(kTooLong)), too_long},
        {error_text(SortedWindow::create(0)), "invalid period: window size must be non-zero"},
        {error_text(SortedWindow::create(kTooLong)), too_long},
        {error_text(MamaCore::create(0.5, 0.6)), mama},
        {error_text(MamaCore::create(1.1, 0.5)), mama},
        {error_text(MamaCore::create(kNaN, 0.05)), mama},
        {error_text(MamaCore::create(0.5, 0.0)), mama},
        {error_text(MamaCore::create(0.5, kInf)), mama},
        {error_text(MamaCore::create(1.0, 1.0)), "ok"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}

// Feeds `xs` and records each answer mapped to one double (NaN for none).
template <class Core, class Map>
std::vector<double> run(Core core, const std::vector<double>& xs, Map map) {
    std::vector<double> out;
    for (double x : xs) {
        auto r = core.step(x);
        out.push_back(r ? map(*r) : kNaN);
    }
    return out;
}

void expect_same_bits(const std::vector<double>& a, const std::vector<double>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a[i]), std::bit_cast<std::uint64_t>(b[i])) << "at " << i;
}

// A non-finite value between two values changes nothing: the answers of the series
// with refused values inserted, those refusals dropped, equal the plain answers.
template <class Core, class Map>
void expect_refusal_is_invisible(const Core& core, Map map) {
    std::vector<double> plain;
    for (int t = 0; t < 120; ++t) plain.push_back(50.0 + 7.0 * std::sin(t * 0.7) + 0.25 * t);
    std::vector<double> spiked;
    std::vector<bool> refused;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (i % 9 == 4) {
            spiked.push_back(i % 2 ? kNaN : -kInf);
            refused.push_back(true);
        }
        spiked.push_back(plain[i]);
        refused.push_back(false);
    }
    const std::vector<double> a = run(core, spiked, map);
    std::vector<double> kept;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (refused[i]) {
            EXPECT_TRUE(std::isnan(a[i])) << "refused value answered at " << i;
        } else {
            kept.push_back(a[i]);
        }
    }
    expect_same_bits(kept, run(core, plain, map));
}

TEST(CoreRefusal, NonFiniteInputLeavesStateUnchanged) {
    auto same = [](double v) { return v; };
    expect_refusal_is_invisible(*SmaCore::create(5), same);
    expect_refusal_is_invisible(*WmaCore::create(4), same);
    expect_refusal_is_invisible(*BollingerCore::create(5, 2.0), [](const BandPoint& b) { return b.upper; });
    expect_refusal_is_invisible(*LinRegCore::create(6), same);
    expect_refusal_is_invisible(*CmoCore::create(5), same);
    expect_refusal_is_invisible(*RsiCore::create(5), same);
    expect_refusal_is_invisible(*RviVolatilityCore::create(4), same);
    expect_refusal_is_invisible(HilbertDominantCycleCore{}, same);
    expect_refusal_is_invisible(HtDcPhaseCore{}, same);
    expect_refusal_is_invisible(*MamaCore::create(0.5, 0.05), [](const MamaPoint& p) { return p.fama; });
}

TEST(CoreKnownValues, AveragesAndBands) {
    auto wma = *WmaCore::create(3);
    EXPECT_FALSE(wma.step(1.0));
    EXPECT_FALSE(wma.step(2.0));
    EXPECT_DOUBLE_EQ(*wma.step(3.0), 14.0 / 6.0);
    EXPECT_DOUBLE_EQ(*wma.step(7.0), (2.0 + 6.0 + 21.0) / 6.0);

    auto bands = *BollingerCore::create(3, 2.0);
    EXPECT_FALSE(bands.step(1.0));
    EXPECT_FALSE(bands.step(2.0));
    const BandPoint b = *bands.step(3.0);
    EXPECT_DOUBLE_EQ(b.middle, 2.0);
    EXPECT_NEAR(b.stddev, std::sqrt(2.0 / 3.0), 1e-15);
    EXPECT_NEAR(b.upper, 2.0 + 2.0 * std::sqrt(2.0 / 3.0), 1e-14);
    EXPECT_NEAR(b.lower, 2.0 - 2.0 * std::sqrt(2.0 / 3.0), 1e-14);

    auto single = *BollingerCore::create(1, 3.0);
    for (double x : {4.5, -2.0, 1e9}) {
        const BandPoint p = *single.step(x);
        EXPECT_EQ(p.stddev, 0.0);
        EXPECT_EQ(p.upper, x);
        EXPECT_EQ(p.lower, x);
    }
    auto flat = *BollingerCore::create(4, 2.0);
    for (int i = 0; i < 40; ++i) {
        const auto p = flat.step(0.1);
        if (p) {
            EXPECT_EQ(p->stddev, 0.0) << i;  // clamped, never negative or NaN
        }
    }
}

TEST(CoreKnownValues, SeededEma) {
    SeededEma ema(3);  // alpha 0.5
    EXPECT_FALSE(ema.step(1.0));
    EXPECT_FALSE(ema.step(2.0));
    EXPECT_EQ(*ema.step(3.0), 2.0);
    EXPECT_EQ(*ema.step(6.0), 4.0);
    EXPECT_EQ(ema.step(0.1).value(), std::fma(0.5, 0.1, 0.5 * 4.0));

    SeededEma custom(1, 0.2);  // an owner's own factor; seeded by the first input
    EXPECT_EQ(*custom.step(10.0), 10.0);
    EXPECT_EQ(*custom.step(20.0), std::fma(0.2, 20.0, 0.8 * 10.0));

    SeededEma negzero(2);  // the seed sum starts at -0.0, so -0.0 inputs keep their sign
    negzero.step(-0.0);
    EXPECT_TRUE(std::signbit(*negzero.step(-0.0)));
}

TEST(CoreKnownValues, OscillatorSteps) {
    struct Case {
        const char* name;
        std::vector<double> got;
        std::vector<double> want;  // NaN = no value
    };
    auto rsi = [](std::vector<double> xs) { return run(*RsiCore::create(2), xs, [](double v) { return v; }); };
    auto cmo = [](std::vector<double> xs) { return run(*CmoCore::create(2), xs, [](double v) { return v; }); };
    auto rvi = [](std::vector<double> xs) {
        return run(*RviVolatilityCore::create(2), xs, [](double v) { return v; });
    };
    const Case cases[] = {
        // gains 1, 1 seed 100; then fma(1, 1, 0)/2 against fma(0, 1, 1)/2 = 50.
        {"rsi", rsi({1, 2, 3, 2}), {kNaN, kNaN, 100.0, 50.0}},
        {"rsi flat", rsi({5, 5, 5, 5}), {kNaN, kNaN, 50.0, 50.0}},
        {"rsi rising", rsi({1, 2, 4, 8, 9}), {kNaN, kNaN, 100.0, 100.0, 100.0}},
        // changes 1, 2, -1: (3 - 0)/3 then (2 - 1)/3.
        {"cmo", cmo({1, 2, 4, 3}), {kNaN, kNaN, 100.0, 100.0 / 3.0}},
        {"cmo flat", cmo({5, 5, 5, 5}), {kNaN, kNaN, 0.0, 0.0}},
        // deviations 1, 0.5, 0, 1.5 of the pairs; seed means 0.5 / 0.25, then Wilder.
        {"rvi", rvi({1, 3, 2, 2, 5}), {kNaN, kNaN, 200.0 / 3.0, 200.0 / 3.0, 100.0 * 0.875 / 0.9375}},
        {"rvi flat", rvi({4, 4, 4, 4}), {kNaN, kNaN, 50.0, 50.0}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.got.size(), c.want.size()) << c.name;
        for (std::size_t i = 0; i < c.want.size(); ++i) {
            if (std::isnan(c.want[i])) {
                EXPECT_TRUE(std::isnan(c.got[i])) << c.name << " at " << i;
            } else {
                EXPECT_NEAR(c.got[i], c.want[i], 1e-12) << c.name << " at " << i;
            }
        }
    }
}

// The smoothing steps after the seed are one fused multiply-add each (then the
// product with 1/n for Rsi, the quotient by n for RviVolatility); the bits below
// come from an independent computation with an exactly rounded fma, and an unfused
// form differs from them in the last places.
TEST(CoreKnownValues, FusedSmoothingStepsToTheBit) {
    struct Case {
        const char* name;
        std::vector<double> got;
        std::vector<double> want;  // NaN = no value
    };
    const auto same = [](double v) { return v; };
    const Case cases[] = {
        {"rsi 4",
         run(*RsiCore::create(4), {10.0, 10.3, 10.1, 10.7, 10.2, 10.9, 10.4, 10.8, 11.3, 10.6, 10.65, 11.1}, same),
         {kNaN, kNaN, kNaN, kNaN, 56.249999999999964, 72.36842105263158, 53.57142857142857, 63.64406779661018,
          73.29875518672199, 49.00591825411502, 50.56624633956853, 63.84250557328319}},
        {"rvi 4",
         run(*RviVolatilityCore::create(4),
             {9.83, 9.58, 10.65, 9.19, 10.67, 10.77, 10.65, 10.28, 9.82, 9.94, 9.49, 9.53, 10.05, 9.11, 9.0, 10.34},
             same),
         {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, 52.358022865073444, 47.622600936913564, 38.40455049857147,
          49.72815778479538, 40.95358311649304, 49.03176729620321, 58.75609333988484, 43.65639959451171,
          30.68244503104584, 55.48664309103594}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expect_same_bits(c.got, c.want);
    }
}

TEST(CoreKnownValues, Adx) {
    auto adx = *AdxCore::create(2);
    const Ohlcv bars[] = {{0, 9, 10, 8, 9, 1},     {0, 10, 11, 9, 10.5, 1}, {0, 11, 12, 10, 11, 1},
                          {0, 11, 11.5, 9, 9.5, 1}, {0, 9, 10, 8, 8.5, 1}};
    EXPECT_FALSE(adx.step(bars[0]));
    EXPECT_FALSE(adx.step(bars[1]));
    EXPECT_FALSE(adx.step(bars[2]));  // smoothed sums seeded: +DI 50, -DI 0, DX 100
    EXPECT_DOUBLE_EQ(adx.last_di().plus_di, 50.0);
    const AdxPoint p4 = *adx.step(bars[3]);  // first value on candle 2n
    EXPECT_DOUBLE_EQ(p4.plus_di, 100.0 / 4.5);
    EXPECT_DOUBLE_EQ(p4.minus_di, 100.0 / 4.5);
    EXPECT_DOUBLE_EQ(p4.adx, 50.0);
    const AdxPoint p5 = *adx.step(bars[4]);
    EXPECT_DOUBLE_EQ(p5.plus_di, 50.0 / 4.25);
    EXPECT_DOUBLE_EQ(p5.minus_di, 150.0 / 4.25);
    EXPECT_DOUBLE_EQ(p5.adx, 50.0);

    auto still = *AdxCore::create(3);
    std::optional<AdxPoint> last;
    for (int i = 0; i < 6; ++i) last = still.step(Ohlcv{0, 5, 5, 5, 5, 0});
    EXPECT_TRUE(last && last->plus_di == 0.0 && last->minus_di == 0.0 && last->adx == 0.0);
}

TEST(CoreKnownValues, RegressionAndSlope) {
    auto reg = *LinRegCore::create(3);
    for (int t = 0; t < 40; ++t) {
        const auto v = reg.step(1e6 + 2.5 * t);  // a line far from zero: the shift must cancel
        if (t < 2) {
            EXPECT_FALSE(v);
        } else {
            EXPECT_NEAR(*v, 1e6 + 2.5 * t, 1e-7) << t;
        }
    }
    EXPECT_NEAR(reg.slope(), 2.5, 1e-9);

    const PositionSums pos = PositionSums::of(3);
    EXPECT_EQ(pos.sum_x, 3.0);
    EXPECT_EQ(pos.sum_x2, 5.0);
    EXPECT_EQ(pos.denom, 6.0);
    EXPECT_DOUBLE_EQ(window_slope(std::deque<double>{1, 3, 2}, pos), 0.5);
    EXPECT_DOUBLE_EQ(window_slope(std::deque<double>{7, 8, 9}, pos), 1.0);
}

TEST(CoreKnownValues, PenetrationRing) {
    auto ring = *PenetrationRing::create(2);
    const std::pair<double, double> pushes[] = {{0.0, 0.0}, {2.0, 2.0}, {4.0, 3.0}, {0.0, 4.0}, {0.0, 0.0}};
    for (auto [x, avg] : pushes) {
        ring.push(x);
        EXPECT_EQ(ring.average_positive(), avg) << x;  // over the entries above zero only
    }

    // The sum is kept by adding and subtracting only, never re-added from the ring:
    // past 16·n pushes it still carries its rounding (0.1 + 0.0 re-added would be 0.1).
    auto kept = *PenetrationRing::create(2);
    const std::pair<int, double> sums[] = {{28, 0.5000000000000002}, {31, 0.10000000000000012},
                                           {32, 0.30000000000000016}, {35, 0.40000000000000013}};
    std::size_t next = 0;
    for (int i = 0; i < 36; ++i) {
        kept.push(0.1 * (i % 5));
        if (next < std::size(sums) && sums[next].first == i) {
            EXPECT_EQ(kept.sum(), sums[next].second) << i;
            ++next;
        }
    }
    EXPECT_EQ(kept.positives(), 1u);  // the ring ends on 0.4 and 0.0
}

// Drift control: after a re-sum or re-centring point the running result equals a
// freshly summed window even though huge values passed through first.
std::vector<double> mixed_series(int count) {
    std::vector<double> xs;
    for (int i = 0; i < count; ++i) {
        const bool huge = (i / 37) % 4 == 0;
        xs.push_back(huge ? 1e15 * (1.0 + (i % 5)) : 1e-3 * (i % 11) + 0.7);
    }
    return xs;
}

TEST(CoreDrift, SmaAndWmaReSumToTheFreshWindow) {
    const std::uint64_t n = 8;
    const std::vector<double> xs = mixed_series(20 * 16 * static_cast<int>(n));
    auto sma = *SmaCore::create(n);
    auto wma = *WmaCore::create(n);
    for (std::size_t t = 0; t < xs.size(); ++t) {
        const auto s = sma.step(xs[t]);
        const auto w = wma.step(xs[t]);
        const std::size_t k = t + 1;  // updates so far
        double plain = -0.0, weighted = -0.0;
        for (std::uint64_t i = 0; i < n && k >= n; ++i) {
            plain += xs[k - n + i];
            weighted += static_cast<double>(i + 1) * xs[k - n + i];
        }
        if (k % (16 * n) == 0) {
            EXPECT_EQ(*s, plain / 8.0) << k;
        }
        if (k > n && (k - n) % (16 * n) == 0) {
            EXPECT_EQ(*w, weighted / 36.0) << k;
        }
    }
}

TEST(CoreDrift, ShiftedSumCoresRecentre) {
    const std::uint64_t n = 6;
    const std::vector<double> xs = mixed_series(2000);
    auto bands = *BollingerCore::create(n, 2.0);
    auto reg = *LinRegCore::create(n);
    std::size_t checked = 0;
    for (std::size_t t = 0; t < xs.size(); ++t) {
        const auto b = bands.step(xs[t]);
        const auto r = reg.step(xs[t]);
        const std::size_t k = t + 1;
        if (k < n) continue;
        bool tiny = true;
        for (std::size_t i = k - n; i < k; ++i) tiny = tiny && xs[i] < 1.0;
        // Only windows of small values whose last re-centring came after the huge ones left.
        bool settled = tiny;
        for (std::size_t i = (k >= 2 * n ? k - 2 * n : 0); i < k; ++i) settled = settled && xs[i] < 1.0;
        if (!settled) continue;
        double mean = 0.0, var = 0.0, sxy = 0.0;
        for (std::size_t i = k - n; i < k; ++i) mean += xs[i] / static_cast<double>(n);
        for (std::size_t i = k - n; i < k; ++i) {
            var += (xs[i] - mean) * (xs[i] - mean) / static_cast<double>(n);
            sxy += static_cast<double>(i - (k - n)) * (xs[i] - mean);
        }
        const double slope = sxy / 17.5;  // n·Σi² − (Σi)² over n = 6
        EXPECT_NEAR(b->middle, mean, 1e-12) << k;
        EXPECT_NEAR(b->stddev, std::sqrt(var), 1e-9) << k;
        EXPECT_NEAR(*r, mean + slope * 2.5, 1e-9) << k;
        ++checked;
    }
    EXPECT_GT(checked, 500u);
}

TEST(CoreDrift, CmoSumsReturnToZeroAfterAHugeMoveLeaves) {
    // The gains 1e17 and 0.3 meet in one sum (0.3 is absorbed); when 1e17 leaves,
    // the running sum is off by 0.3 until the next re-sum puts it right.
    auto cmo = *CmoCore::create(3);
    std::optional<double> last;
    for (double x : {0.0, 1e17, 0.0, 0.3}) cmo.step(x);
    for (int i = 0; i < 60; ++i) last = cmo.step(0.3);
    EXPECT_EQ(*last, 0.0);
}

TEST(HilbertCores, PhasorTableBuiltOnce) {
    const DcPhasorTable* first = &dc_phasor_table();
    EXPECT_EQ(first, &dc_phasor_table());
    EXPECT_EQ(dc_phasor(0).size(), 0u);
    ASSERT_EQ(dc_phasor(1).size(), 1u);
    EXPECT_EQ(dc_phasor(1)[0].sin, 0.0);
    EXPECT_EQ(dc_phasor(1)[0].cos, 1.0);
    const auto row4 = dc_phasor(4);
    ASSERT_EQ(row4.size(), 4u);
    EXPECT_EQ(row4[1].sin, 1.0);
    EXPECT_EQ(row4[2].cos, -1.0);
    EXPECT_EQ(dc_phasor(50).size(), 50u);
    EXPECT_EQ(dc_phasor(50).data(), dc_phasor(50).data());
}

TEST(HilbertCores, ZeroClosesPeriodClimbsTowardSix) {
    HomodyneEstimator est;
    double expected = 0.0;
    for (int t = 1; t <= 80; ++t) {
        const HomodyneStep st = est.advance(0.0);
        EXPECT_EQ(st.period_updated, t >= 22) << t;
        if (t >= 22) expected = 0.8 * expected + 1.2;
        EXPECT_NEAR(est.period(), expected, 1e-12) << t;
        EXPECT_LE(est.period(), 6.0);
    }
    EXPECT_NEAR(est.period(), 6.0, 1e-4);
}

std::vector<double> cycle_series() {
    std::vector<double> xs;
    for (int t = 0; t < 80; ++t)
        xs.push_back(100 + 10 * std::sin(2 * std::numbers::pi * t / 20) + 0.1 * t + 3 * std::sin(2 * std::numbers::pi * t / 7));
    return xs;
}

TEST(HilbertCores, PinnedValuesAndWarmUp) {
    // Reference numbers from an independent transcription of the estimator.
    const std::vector<double> xs = cycle_series();
    const auto hdc = run(HilbertDominantCycleCore{}, xs, [](double v) { return v; });
    const auto phase = run(HtDcPhaseCore{}, xs, [](double v) { return v; });
    const auto mama = run(*MamaCore::create(0.5, 0.05), xs, [](const MamaPoint& p) { return p.mama; });
    const auto fama = run(*MamaCore::create(0.5, 0.05), xs, [](const MamaPoint& p) { return p.fama; });
    for (int i = 0; i < 49; ++i) EXPECT_TRUE(std::isnan(hdc[i]) && std::isnan(phase[i])) << i;
    for (int i = 0; i < 32; ++i) EXPECT_TRUE(std::isnan(mama[i])) << i;
    EXPECT_NEAR(hdc[49], 19.632430594787166, 1e-9);
    EXPECT_NEAR(hdc[79], 20.238882989543836, 1e-9);
    EXPECT_NEAR(phase[49], 164.4348866190216, 1e-8);
    EXPECT_NEAR(phase[64], 67.26992970491065, 1e-8);
    EXPECT_NEAR(phase[79], -20.982955632444487, 1e-8);
    EXPECT_NEAR(mama[32], 105.13935966139127, 1e-9);
    EXPECT_NEAR(fama[32], 108.06559662840068, 1e-9);
    EXPECT_NEAR(mama[79], 103.72103674118983, 1e-9);
    EXPECT_NEAR(fama[79], 105.70703012306203, 1e-9);
}

TEST(HilbertCores, MamaWithEqualLimitsUsesThatFactor) {
    auto core = *MamaCore::create(0.25, 0.25);
    const std::vector<double> xs = cycle_series();
    std::optional<MamaPoint> prev;
    for (double x : xs) {
        const auto p = core.step(x);
        if (prev && p) {
            EXPECT_EQ(p->mama, 0.75 * prev->mama + x * 0.25);
            EXPECT_EQ(p->fama, (1.0 - 0.125) * prev->fama + 0.125 * p->mama);
        }
        prev = p;
    }
    EXPECT_TRUE(prev);
}

TEST(WmaIndicator, WarmUpAndAnswers) {
    auto w = *Wma::create(3);
    EXPECT_EQ(w.warmup(), 3u);
    const auto out = test::feed_closes(w, {1.0, kNaN, 2.0, 3.0, 3.0});
    EXPECT_FALSE(out[0] || out[1] || out[2]);
    EXPECT_DOUBLE_EQ(*out[3], 14.0 / 6.0);
    EXPECT_DOUBLE_EQ(*out[4], (2.0 + 6.0 + 9.0) / 6.0);
}

}  // namespace
}  // namespace torvex
