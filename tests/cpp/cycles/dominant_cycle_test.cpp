// Cycle measures of the close: the Hilbert-transform phase, sine, dominant cycle,
// adaptive length and trend mode, and the autocorrelation periodogram; values on a
// flat series worked from the recursions, and the period of a pure sine found.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "test_support.hpp"
#include "indicators/cycles/adaptive_cycle.hpp"
#include "indicators/cycles/autocorrelation_periodogram.hpp"
#include "indicators/cycles/hilbert_dominant_cycle.hpp"
#include "indicators/cycles/ht_dc_phase.hpp"
#include "indicators/cycles/ht_trend_mode.hpp"
#include "indicators/cycles/sine_wave.hpp"

namespace torvex {
namespace {

using test::box;

std::vector<double> sine(double period, int bars, double level = 100.0, double amplitude = 10.0) {
    std::vector<double> v;
    for (int i = 0; i < bars; ++i) v.push_back(level + amplitude * std::sin(2.0 * std::numbers::pi * i / period));
    return v;
}

// On zero closes every Hilbert component is 0, so the period falls back to its last
// value: it starts at 1.2 on close 22 and then moves as 0.8·p + 1.2 toward 6; the
// smoothed period follows it with 0.67/0.33. The phase window sums 0: real 0 and
// imag 0 give 180 degrees before the lag term 360/smoothed period.
TEST(DominantCycle, ZeroClosesFollowTheFallbackPeriod) {
    double period = 0.0;
    double smooth = 0.0;
    for (int bar = 22; bar <= 50; ++bar) {
        period = 0.8 * period + 0.2 * 6.0;
        smooth = 0.67 * smooth + 0.33 * period;
    }
    const double phase = 180.0 + 360.0 / smooth;
    const double adaptive = std::max(3.0, std::round(0.5 * smooth));
    const struct {
        const char* label;
        test::Maker make;
        double want;
    } cases[] = {
        {"HilbertDominantCycle", box<HilbertDominantCycle>(), smooth},
        {"HtDcPhase", box<HtDcPhase>(), phase > 315.0 ? phase - 360.0 : phase},
        {"SineWave", box<SineWave>(), std::sin((phase > 315.0 ? phase - 360.0 : phase) * std::numbers::pi / 180.0)},
        {"AdaptiveCycle", box<AdaptiveCycle>(), adaptive},
    };
    for (const auto& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.label;
        const auto out = test::feed_closes(**ind, std::vector<double>(50, 0.0));
        for (int i = 0; i < 49; ++i) ASSERT_FALSE(out[i]) << c.label << " bar " << i + 1;
        ASSERT_TRUE(out[49]) << c.label;
        EXPECT_NEAR(*out[49], c.want, 1e-9) << c.label;
    }
}

TEST(DominantCycle, AdaptiveLengthRoundsHalfAwayWithinThreeAndTwentyFive) {
    const struct {
        double period;
        double want;
    } cases[] = {{7.0, 4.0}, {6.9, 3.0}, {5.0, 3.0}, {0.0, 3.0}, {21.0, 11.0}, {49.0, 25.0}, {50.0, 25.0}};
    for (const auto& c : cases) EXPECT_EQ(AdaptiveCycle::length_of(c.period), c.want) << c.period;
}

// A pure sine: the dominant cycle is found within one bar of the true period. The
// periodogram of lags up to 48 sees only one or two turns of a long cycle, so its
// spectral line is broad there; it is held to the periods that fit its lags well.
TEST(DominantCycle, PureSinePeriodFoundWithinOneBar) {
    for (double period : {15.0, 20.0, 30.0}) {
        const auto closes = sine(period, 600);
        auto hdc = HilbertDominantCycle::create();
        auto adaptive = AdaptiveCycle::create();
        auto acp = AutocorrelationPeriodogram::create(10, 48);
        auto acp_wide = AutocorrelationPeriodogram::create(4, 300);
        std::optional<double> h, a, p, w;
        for (double x : closes) {
            h = test::feed_close(*hdc, x);
            a = test::feed_close(*adaptive, x);
            p = test::feed_close(*acp, x);
            w = test::feed_close(*acp_wide, x);
        }
        ASSERT_TRUE(h && a && p && w);
        EXPECT_NEAR(*h, period, 1.0) << "Hilbert " << period;
        EXPECT_NEAR(*a, std::round(0.5 * period), 1.0) << "adaptive " << period;
        EXPECT_NEAR(*w, period, 1.0) << "periodogram 4..300 " << period;
        if (period <= 20.0) {
            EXPECT_NEAR(*p, period, 1.0) << "periodogram 10..48 " << period;
        }
    }
}

// With every correlation 0 the spectrum is flat at 0 and the answer is min_period.
TEST(DominantCycle, PeriodogramOfAFlatCloseAnswersMinPeriod) {
    const struct {
        std::uint64_t lo, hi;
        double level;
    } cases[] = {{4, 11, 0.0}, {10, 48, 123.25}, {4, 300, -5.0}};
    for (const auto& c : cases) {
        auto acp = AutocorrelationPeriodogram::create(c.lo, c.hi);
        ASSERT_TRUE(acp);
        const auto out = test::feed_closes(*acp, std::vector<double>(c.hi + 40, c.level));
        for (std::size_t i = 0; i < out.size(); ++i) {
            ASSERT_EQ(out[i].has_value(), i + 1 >= c.hi + 3) << c.lo << "," << c.hi << " bar " << i + 1;
            if (out[i]) {
                EXPECT_EQ(*out[i], static_cast<double>(c.lo));
            }
        }
    }
}

// A wide periodogram refuses non-finite closes without a trace.
TEST(DominantCycle, WidePeriodogramRefusalLeavesNoTrace) {
    const auto closes = sine(23.0, 420);
    auto clean = AutocorrelationPeriodogram::create(4, 300);
    auto dirty = AutocorrelationPeriodogram::create(4, 300);
    for (std::size_t i = 0; i < closes.size(); ++i) {
        if (i % 37 == 3) {
            EXPECT_FALSE(test::feed_close(*dirty, i % 2 ? NAN : -INFINITY));
        }
        ASSERT_EQ(test::feed_close(*dirty, closes[i]), test::feed_close(*clean, closes[i])) << "bar " << i + 1;
    }
}

// The phase's sine lies in [−1, 1]; the trend mode answers only 0 or 1: 1 on a steep
// line (the smoothed price runs well ahead of the cycle-long trendline), and mostly 0
// on a small sine (the sine and lead sine cross every half cycle).
TEST(DominantCycle, SineAndTrendModeShapes) {
    auto sw = SineWave::create();
    for (const auto& v : test::feed_closes(*sw, sine(17.0, 300))) {
        if (v) {
            EXPECT_GE(*v, -1.0);
            EXPECT_LE(*v, 1.0);
        }
    }

    std::vector<double> line;
    for (int i = 0; i < 300; ++i) line.push_back(100.0 + 5.0 * i);
    auto up = HtTrendMode::create();
    const auto on_line = test::feed_closes(*up, line);
    for (std::size_t i = 49; i < on_line.size(); ++i) {
        ASSERT_TRUE(on_line[i]);
        EXPECT_EQ(*on_line[i], 1.0) << "bar " << i + 1;
    }

    auto cyc = HtTrendMode::create();
    int zeros = 0, ones = 0;
    for (const auto& v : test::feed_closes(*cyc, sine(20.0, 400, 100.0, 0.5))) {
        if (!v) continue;
        ASSERT_TRUE(*v == 0.0 || *v == 1.0);
        (*v == 0.0 ? zeros : ones) += 1;
    }
    EXPECT_GT(zeros, ones);
}

}  // namespace
}  // namespace torvex
