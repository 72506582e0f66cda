// Directional movement, Aroon and the stop indicators over whole bars: values
// worked by hand from the formulas, warm-ups, refused candles and registry checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "volatility/candle_support.hpp"

#include "indicators/cores/aroon_window.hpp"
#include "indicators/cores/parabolic_sar.hpp"
#include "indicators/trend/aroon_oscillator.hpp"
#include "indicators/trend/atr_trailing_stop.hpp"
#include "indicators/trend/directional_movement.hpp"
#include "indicators/trend/hi_lo_activator.hpp"
#include "indicators/trend/psar.hpp"
#include "indicators/trend/sar_ext.hpp"
#include "indicators/trend/time_based_stop.hpp"
#include "indicators/trend/volty_stop.hpp"
#include "indicators/trend/yoyo_exit.hpp"

namespace torvex::test {
namespace {

TEST(DirectionalStops, WarmupAndRefusedCandles) {
    const std::vector<Ohlcv> bars = wavy_bars(120);
    const std::vector<std::pair<std::string, std::vector<double>>> cases = {
        {"PlusDm", {14}}, {"MinusDm", {14}}, {"PlusDi", {14}}, {"MinusDi", {14}}, {"Dx", {14}},
        {"Adxr", {5}}, {"Adxr", {1}}, {"AroonOscillator", {14}}, {"AroonOscillator", {1}},
        {"Psar", {0.02, 0.02, 0.2}}, {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2}},
        {"AtrTrailingStop", {14, 3}}, {"VoltyStop", {14, 2}}, {"YoyoExit", {14, 2}},
        {"HiLoActivator", {10}}, {"TimeBasedStop", {10}},
    };
    for (const auto& [name, params] : cases) expect_candle_contract(name, params, bars);
}

TEST(DirectionalStops, RegistryChecksInOrder) {
    const std::string mult = "multiplier must be greater than zero";
    const std::string max = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
    struct Case {
        const char* name;
        std::vector<double> params;
        std::string want;
    };
    const std::vector<double> acc = {0.02, 0.02, 0.2};
    const Case cases[] = {
        {"AtrTrailingStop", {16777217, -1}, mult},
        {"AtrTrailingStop", {16777217, 3}, max},
        {"AtrTrailingStop", {1e-300, 3}, kZero},
        {"VoltyStop", {14, 0}, mult},
        {"YoyoExit", {14, -0.0}, mult},
        {"YoyoExit", {14, 1e-310}, "built"},
        {"Psar", {0.02, 0.02, 0.01}, "invalid period: af_start must be <= af_max"},
        {"Psar", {0.02, 0.02, 0.02}, "built"},
        {"Psar", {0.02, 0, 0.2}, mult},
        {"Psar", {-0.02, 0.02, 0.2}, mult},
        {"SarExt", {0, 0, 0.3, 0.02, 0.2, 0.02, 0.02, 0.2}, "invalid period: acceleration init must be <= max"},
        {"SarExt", {0, -1, 0.3, 0.02, 0.2, 0.02, 0.02, 0.2}, mult},
        {"SarExt", {0, -0.0, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2}, "built"},
        {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0.02, 0, 0.2}, mult},
        {"SarExt", {0, 0, 0.02, 0.02, 0.2, 0.3, 0.02, 0.2}, "invalid period: acceleration init must be <= max"},
        {"Adxr", {16777217}, max},
        {"AroonOscillator", {16777216}, "built"},
        {"HiLoActivator", {16777217}, max},
        {"Dx", {16777217}, max},
        {"TimeBasedStop", {1e-300}, kZero},
    };
    for (const Case& c : cases) EXPECT_EQ(registry_message(c.name, c.params), c.want) << c.name;
}

// +DM 1, 0, 0 (outside bar: up == down), 0.5; −DM 0, 1.5, 0, 0; TR 2.5, 3.5, 5.5, 3.
std::vector<Ohlcv> dm_bars() {
    return {candle(9, 10, 8, 9), candle(9, 11, 8.5, 10.5), candle(10, 10.5, 7, 7.5), candle(8, 11.5, 6, 9),
            candle(10, 12, 9, 11)};
}

TEST(DirectionalStops, DirectionalLinesByHand) {
    // Wilder smoothing with n = 2: the plain sum of the first two, then S − S/2 + x.
    const double p3 = 1.0, p4 = 0.5, p5 = 0.75;
    const double m3 = 1.5, m4 = 0.75, m5 = 0.375;
    const double t3 = 6.0, t4 = 8.5, t5 = 7.25;
    auto dx = [](double p, double m, double t) {
        const double a = 100.0 * p / t, b = 100.0 * m / t;
        return std::fabs(a - b) * 100.0 / (a + b);
    };
    const std::vector<std::pair<IndicatorBox, std::vector<std::optional<double>>>> cases = [&] {
        std::vector<std::pair<IndicatorBox, std::vector<std::optional<double>>>> v;
        v.emplace_back(boxed(PlusDm::create(2)), std::vector<std::optional<double>>{None, None, p3, p4, p5});
        v.emplace_back(boxed(MinusDm::create(2)), std::vector<std::optional<double>>{None, None, m3, m4, m5});
        v.emplace_back(boxed(PlusDi::create(2)),
                       std::vector<std::optional<double>>{None, None, 100 * p3 / t3, 100 * p4 / t4, 100 * p5 / t5});
        v.emplace_back(boxed(MinusDi::create(2)),
                       std::vector<std::optional<double>>{None, None, 100 * m3 / t3, 100 * m4 / t4, 100 * m5 / t5});
        v.emplace_back(boxed(Dx::create(2)), std::vector<std::optional<double>>{
                                                 None, None, dx(p3, m3, t3), dx(p4, m4, t4), dx(p5, m5, t5)});
        return v;
    }();
    for (const auto& [ind, want] : cases) expect_answers("directional", feed_bars(*ind, dm_bars()), want);
    EXPECT_NEAR(dx(p3, m3, t3), 20.0, 1e-12);

    // A flat series: no movement and no range, DI and DX are 0.
    auto flat_dx = boxed(Dx::create(2));
    auto flat_di = boxed(PlusDi::create(2));
    const Ohlcv f = candle(5, 5, 5, 5);
    expect_answers("flat dx", feed_bars(*flat_dx, {f, f, f, f}), {None, None, 0.0, 0.0});
    expect_answers("flat di", feed_bars(*flat_di, {f, f, f, f}), {None, None, 0.0, 0.0});
}

TEST(DirectionalStops, AdxrIsTheMidpointOfTwoAdxValues) {
    // ADX modelled from the Dx line: the mean of the first n DX values, then
    // ((n − 1)·adx + dx) / n.
    const std::size_t n = 3;
    const std::vector<Ohlcv> bars = wavy_bars(60);
    auto dx = boxed(Dx::create(n));
    auto adxr = make_named("Adxr", {double(n)});
    std::vector<double> dxs, adx;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto d = feed(*dx, bars[i]);
        const auto got = feed(*adxr, bars[i]);
        if (d) {
            dxs.push_back(*d);
            if (dxs.size() == n) adx.push_back((dxs[0] + dxs[1] + dxs[2]) / 3.0);
            if (dxs.size() > n) adx.push_back(((n - 1.0) * adx.back() + *d) / n);
        }
        ASSERT_EQ(got.has_value(), adx.size() >= n) << "bar " << i + 1;
        if (got) {
            EXPECT_NEAR(*got, (adx.back() + adx[adx.size() - n]) / 2.0, 1e-10) << "bar " << i + 1;
        }
    }
}

TEST(DirectionalStops, AroonTiesGoToTheNewerBar) {
    struct Case {
        const char* label;
        std::uint64_t n;
        std::vector<Ohlcv> bars;
        double want;
    };
    const Case cases[] = {
        {"higher high, higher low", 1, {candle(9, 10, 8, 9), candle(10, 11, 9, 10)}, 100.0},
        {"outside bar", 1, {candle(9, 10, 8, 9), candle(10, 11, 7, 10)}, 0.0},
        {"equal bars", 1, {candle(9, 10, 8, 9), candle(9, 10, 8, 9)}, 0.0},
        {"lower low", 1, {candle(9, 10, 8, 9), candle(8, 9, 7, 8)}, -100.0},
        // Highest high 12 at positions 1 and 3 of 5, lowest low 7 at position 0.
        {"repeated high", 4,
         {candle(9, 10, 7, 9), candle(11, 12, 9, 11), candle(9, 10, 8, 9), candle(11, 12, 10, 11),
          candle(10, 11, 9, 10)},
         75.0},
    };
    for (const Case& c : cases) {
        auto ind = boxed(AroonOscillator::create(c.n));
        const auto got = feed_bars(*ind, c.bars);
        EXPECT_EQ(got.back(), c.want) << c.label;
    }
    auto window = AroonWindow::create(2);
    ASSERT_TRUE(window);
    EXPECT_FALSE(window->step(candle(9, 10, 8, 9)));
    EXPECT_FALSE(window->step(candle(9, 11, 7, 9)));
    const auto pair = window->step(candle(9, 10, 8, 9));
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->up, 50.0);
    EXPECT_EQ(pair->down, 50.0);
}

TEST(DirectionalStops, PsarFollowsTheExtremeAndReverses) {
    const std::vector<Ohlcv> bars = {
        candle(9.5, 10, 9, 9.5),   candle(10, 11, 9.5, 10.5), candle(11, 12, 10.5, 11.5),
        candle(12, 13, 11.5, 12),  candle(10, 12.5, 9, 9.5),  candle(9, 12, 8.5, 9),
    };
    const double s3 = (11.0 - 9.0) * 0.02 + 9.0;  // af 0.02, then 0.04 after the new high 12
    const double s4 = (12.0 - s3) * 0.04 + s3;    // af stays at the cap 0.04 after 13
    ASSERT_LE(9.0, (13.0 - s4) * 0.04 + s4);      // the low 9 reaches it: short at the high 13
    // Short: (9 − 13)·0.02 + 13 = 12.92 is lifted to the high of the bar before, 13.
    auto psar = boxed(Psar::create(0.02, 0.02, 0.04));
    expect_answers("psar", feed_bars(*psar, bars), {None, 9.0, s3, s4, 13.0, 13.0});
    auto ext = boxed(SarExt::create(0, 0, 0.02, 0.02, 0.04, 0.02, 0.02, 0.04));
    expect_answers("sarext", feed_bars(*ext, bars), {None, 9.0, s3, s4, -13.0, -13.0});

    // An outside second bar with up = down starts long at the first low, reaches it
    // at once and reverses to the second bar's high.
    auto outside = boxed(Psar::create(0.02, 0.02, 0.2));
    expect_answers("outside", feed_bars(*outside, {candle(9.5, 10, 9, 9.5), candle(9, 11, 8, 9)}), {None, 11.0});
}

TEST(DirectionalStops, SarAccelerationGrowsWithEachNewHighUpToItsCap) {
    // A steady rise: every bar makes a new high and its low stays above the stop.
    ParabolicSar sar(0.0, 0.0, {0.02, 0.02, 0.1}, {0.02, 0.02, 0.1}, false);
    double want_sar = 0.0, ep = 0.0, af = 0.02, prev_low = 0.0, before_low = 0.0;
    for (int i = 0; i < 12; ++i) {
        const double low = 100.0 + 2.0 * i, high = low + 1.0;
        const auto got = sar.step(high, low);
        if (i == 0) {
            ASSERT_FALSE(got);
            prev_low = low;
            continue;
        }
        if (i == 1) {
            want_sar = prev_low;  // long from the first bar's low
            before_low = low;
        } else {
            want_sar = std::min({(ep - want_sar) * af + want_sar, prev_low, before_low});
            before_low = prev_low;
            af = std::min(af + 0.02, 0.1);
        }
        ep = high;
        prev_low = low;
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, want_sar, 1e-12) << "bar " << i + 1;
        EXPECT_FALSE(sar.is_short());
        EXPECT_NEAR(sar.acceleration(), af, 1e-15) << "bar " << i + 1;
    }
    EXPECT_EQ(sar.acceleration(), 0.1);  // five new highs after the start reach the cap
}

TEST(DirectionalStops, SarExtStartLevelOffsetAndSign) {
    const std::vector<Ohlcv> two = {candle(9.5, 10, 9, 9.5), candle(10, 11, 9.5, 10.5)};
    // Long from 10; the low 9.5 reaches it: short at max(11, 11, 11) widened by 10%.
    auto up = boxed(SarExt::create(10, 0.1, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2));
    expect_answers("start long", feed_bars(*up, two), {None, -(11.0 + 11.0 * 0.1)});
    // Short from 20: the high 11 stays below it.
    auto down = boxed(SarExt::create(-20, 0.1, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2));
    expect_answers("start short", feed_bars(*down, two), {None, -20.0});

    // With s = 0, r = 0 and one triple, the magnitudes are those of Psar.
    const std::vector<Ohlcv> bars = wavy_bars(300);
    auto psar = boxed(Psar::create(0.02, 0.02, 0.2));
    auto ext = boxed(SarExt::create(0, 0, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2));
    int shorts = 0;
    for (const Ohlcv& b : bars) {
        const auto p = feed(*psar, b);
        const auto e = feed(*ext, b);
        ASSERT_EQ(p.has_value(), e.has_value());
        if (!p) continue;
        ASSERT_EQ(std::fabs(*e), *p);
        if (*e < 0) ++shorts;
        // A short stop stands at or above the bar's high, a long one at or below its low.
        if (*e < 0) {
            EXPECT_GE(*p, b.high);
        } else {
            EXPECT_LE(*p, b.low);
        }
    }
    EXPECT_GT(shorts, 10);
}

// ATR(1) is each bar's true range: 2, 2, 2.6, 2, then per case.
std::vector<Ohlcv> stop_bars() {
    return {candle(10, 11, 9, 10), candle(10, 12, 10, 11.5), candle(11, 11.6, 9, 9.2), candle(9.5, 11, 9, 9.5)};
}

TEST(DirectionalStops, AtrStopsByHand) {
    std::vector<Ohlcv> trail = stop_bars();
    trail.push_back(candle(11, 13, 11, 12.9));  // TR 3.5
    auto ats = boxed(AtrTrailingStop::create(1, 1.0));
    expect_answers("trailing", feed_bars(*ats, trail), {8.0, 9.5, 11.8, 11.5, 9.4});

    std::vector<Ohlcv> volty = stop_bars();
    volty.push_back(candle(9, 10, 7.5, 8));  // TR 2.5: 11.5 − 2.5 > 8 turns short
    volty.push_back(candle(8, 9, 7, 7.2));   // TR 2
    auto vs = boxed(VoltyStop::create(1, 1.0));
    expect_answers("volty", feed_bars(*vs, volty), {8.0, 9.5, 8.9, 9.5, 10.5, 9.2});

    std::vector<Ohlcv> yoyo = stop_bars();
    yoyo.push_back(candle(9.5, 11.8, 9.4, 11.6));    // TR 2.4: 11.6 is not above 9.5 + 2.4
    yoyo.push_back(candle(11.6, 12.6, 11.5, 12.5));  // TR 1.1: 12.5 > 10.6 turns long
    auto ye = boxed(YoyoExit::create(1, 1.0));
    expect_answers("yoyo", feed_bars(*ye, yoyo), {8.0, 9.5, 9.5, 9.5, 9.5, 12.5 - 1.1});
}

TEST(DirectionalStops, HiLoActivatorAndTimeBasedStop) {
    auto hilo = boxed(HiLoActivator::create(2));
    const std::vector<Ohlcv> bars = {candle(9, 10, 8, 9), candle(10, 12, 9, 11), candle(10, 11, 9, 10),
                                     candle(9, 10, 8, 8.5), candle(11, 12, 10, 11)};
    // Averages (11, 8.5), (11.5, 9), (10.5, 8.5); the first close between them keeps
    // the trend up.
    expect_answers("hilo", feed_bars(*hilo, bars), {None, None, 8.5, 11.5, 8.5});

    auto tbs = boxed(TimeBasedStop::create(4));
    const Ohlcv f = candle(5, 5, 5, 5);
    expect_answers("time", feed_bars(*tbs, {f, f, f, f, f, f}), {0.25, 0.5, 0.75, 1.0, 1.0, 1.0});
}

}  // namespace
}  // namespace torvex::test
