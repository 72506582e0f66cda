// DeMark counts and oscillators: parameter checks, warm-up, setups of 9 and
// countdowns of 13 that complete, break and restart, and the oscillators' formulas on
// hand-made bars.
#include <limits>

#include "tests/cpp/candlesticks/whole_bar_cases.hpp"

namespace torvex::test {
namespace {

const std::string kMax = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";

TEST(DemarkCounts, ParameterChecks) {
    struct Case {
        const char* name;
        std::vector<double> params;
        std::string want;
    };
    const Case cases[] = {
        {"TdSetup", {4, 9}, "built"},
        {"TdSetup", {1e-300, 9}, kZero},
        {"TdSetup", {4, 1e-300}, kZero},
        {"TdSetup", {16777217, 9}, kMax},
        {"TdSetup", {4, 1e18}, "built"},  // the cap is a count, not storage
        {"TdCountdown", {4, 9, 2, 13}, "built"},
        {"TdCountdown", {4, 9, 1e-300, 13}, kZero},
        {"TdCountdown", {4, 1e-300, 2, 13}, kZero},
        {"TdCountdown", {16777217, 9, 2, 13}, kMax},
        {"TdCountdown", {4, 9, 16777217, 13}, kMax},
        {"TdCountdown", {4, 9, 2}, "missing parameter #3"},
        {"TdCombo", {4, 9, 2, 1e-300}, kZero},
        {"TdCombo", {4, 9, 16777217, 13}, kMax},
        {"TdDWave", {1e-300}, kZero},
        {"TdDWave", {16777217}, kMax},
        {"TdDeMarker", {16777217}, kMax},
        {"TdPressure", {1e-300}, kZero},
        {"TdRei", {16777216}, "built"},
        {"TdRei", {16777217}, kMax},
    };
    for (const Case& c : cases) EXPECT_EQ(build_message(c.name, c.params), c.want) << c.name;

    EXPECT_EQ(make("TdSetup", {4, 9})->warmup(), 5u);
    EXPECT_EQ(make("TdCountdown", {4, 9, 2, 13})->warmup(), 5u);
    EXPECT_EQ(make("TdCombo", {2, 9, 6, 13})->warmup(), 7u);
    EXPECT_EQ(make("TdDWave", {2})->warmup(), 5u);
    EXPECT_EQ(make("TdDeMarker", {14})->warmup(), 15u);
    EXPECT_EQ(make("TdPressure", {14})->warmup(), 14u);
    EXPECT_EQ(make("TdRei", {5})->warmup(), 13u);
}

std::vector<Ohlcv> flat_closes(const std::vector<double>& closes) {
    std::vector<Ohlcv> bars;
    for (double c : closes) bars.push_back(B(c, c, c, c));
    return bars;
}

// Closes from `start`, each one lower by `step` (a rising run for a negative step).
std::vector<double> run(double start, double step, int count) {
    std::vector<double> closes;
    for (int i = 0; i < count; ++i) closes.push_back(start - step * i);
    return closes;
}

std::vector<double> join(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(DemarkCounts, SetupCompletesCapsAndBreaks) {
    IndicatorBox ind = make("TdSetup", {4, 9});
    ASSERT_TRUE(ind);
    // Fourteen falling closes, then one equal to the close four back, then a higher one.
    std::vector<double> closes = run(100, 1, 14);
    closes.push_back(closes[closes.size() - 4]);
    closes.push_back(95);
    const auto got = feed_all(*ind, flat_closes(closes));
    const Expected want = {None, None, None, None, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 0.0, -1};
    EXPECT_EQ(got, want);
}

TEST(DemarkCounts, CountdownOfThirteenWaitsForItsQualifier) {
    // Bars 1 to 24 fall by 1 from 100: the buy setup completes on bar 13 (count 1),
    // count 8 comes on bar 20 at the close 81 (the qualifier), count 12 on bar 24.
    std::vector<double> closes = run(100, 1, 24);
    // A rally that does not count, then a bar that closes below the low two back but
    // whose low (89) is above the qualifier: the 13th count waits. So it does at 81.5,
    // just above the qualifier; at 80.5 the count completes and then stays at 13.
    closes = join(closes, {90, 95, 89, 81.5, 80.5, 70});
    IndicatorBox ind = make("TdCountdown", {4, 9, 2, 13});
    ASSERT_TRUE(ind);
    const auto got = feed_all(*ind, flat_closes(closes));
    Expected want(4, None);
    for (int bar = 5; bar <= 12; ++bar) want.push_back(0.0);
    for (int k = 1; k <= 12; ++k) want.push_back(k);
    for (double v : {12, 12, 12, 12, 13, 13}) want.push_back(v);
    EXPECT_EQ(got, want);
}

TEST(DemarkCounts, ShortCountdownNeverQualifies) {
    // With c = 3 no qualifier is ever recorded: the count stops at 2.
    IndicatorBox ind = make("TdCountdown", {4, 9, 2, 3});
    ASSERT_TRUE(ind);
    const auto got = feed_all(*ind, flat_closes(run(100, 1, 20)));
    EXPECT_EQ(got[12], 1.0);
    EXPECT_EQ(got[13], 2.0);
    EXPECT_EQ(got.back(), 2.0);
}

TEST(DemarkCounts, OppositeSetupRestartsTheCount) {
    // A buy countdown of 7 (bars 13 to 19), then closes rising from 90: each is above
    // the close four back, so the sell setup completes on bar 28; both counts restart
    // and the sell count starts on that same bar.
    std::vector<double> closes = join(run(100, 1, 19), run(90, -1, 12));
    IndicatorBox ind = make("TdCountdown", {4, 9, 2, 13});
    ASSERT_TRUE(ind);
    const auto got = feed_all(*ind, flat_closes(closes));
    EXPECT_EQ(got[18], 7.0);   // bar 19
    EXPECT_EQ(got[26], 7.0);   // bar 27: a sell setup of 8, the buy side still active
    EXPECT_EQ(got[27], -1.0);  // bar 28
    EXPECT_EQ(got[28], -2.0);
}

TEST(DemarkCounts, ComboCountsEveryQualifiedBar) {
    // A buy combo needs a lower close, a close at or below the low two back and a low
    // at or below the previous low: every falling flat bar qualifies, an equal close
    // does not, and the count stops at c.
    std::vector<double> closes = run(100, 1, 16);
    closes.push_back(closes.back());
    closes = join(closes, run(84, 1, 12));
    IndicatorBox ind = make("TdCombo", {4, 9, 2, 13});
    ASSERT_TRUE(ind);
    const auto got = feed_all(*ind, flat_closes(closes));
    EXPECT_EQ(got[12], 1.0);   // bar 13: setup complete, first combo bar
    EXPECT_EQ(got[15], 4.0);
    EXPECT_EQ(got[16], 4.0);   // the equal close: no count (and the setup run restarts)
    EXPECT_EQ(got[17], 5.0);
    EXPECT_EQ(got[25], 13.0);  // bar 26
    EXPECT_EQ(got.back(), 13.0);
}

TEST(DemarkCounts, DWaveNumbersAlternatingSwings) {
    IndicatorBox ind = make("TdDWave", {2});
    ASSERT_TRUE(ind);
    std::vector<Ohlcv> bars;
    // A swing high at bar 3, equal lows after it (no strict swing low), a second swing
    // high at bar 7, then a swing low at bar 12.
    for (double x : {1, 2, 5, 2, 2, 2, 6, 2, 2, 2, 2, -3, 2, 2}) bars.push_back(around(x));
    const auto got = feed_all(*ind, bars);
    const Expected want = {None, None, None, None, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};
    EXPECT_EQ(got, want);

    // Alternating extremes with n = 1: the waves run 1 to 8 and start again at 1.
    IndicatorBox zig = make("TdDWave", {1});
    ASSERT_TRUE(zig);
    std::vector<double> seen;
    for (int i = 0; i < 40; ++i) {
        const double x = (i % 4 == 1) ? 5.0 : (i % 4 == 3) ? -5.0 : 0.0;
        const auto v = feed(*zig, around(x));
        if (v && (seen.empty() || seen.back() != *v)) seen.push_back(*v);
    }
    const std::vector<double> cycle = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3};
    EXPECT_EQ(seen, cycle);
}

TEST(DemarkOscillators, HandComputedValues) {
    IndicatorBox dem = make("TdDeMarker", {2});
    ASSERT_TRUE(dem);
    // Up moves 1 and 0, down moves 0 and 1.5: A = 0.5, B = 0.75.
    const auto d = feed_all(*dem, {B(9, 10, 8, 9), B(9, 11, 8.5, 9), B(9, 10.5, 7, 9)});
    EXPECT_EQ(d, (Expected{None, None, 0.5 / 1.25}));

    IndicatorBox still = make("TdDeMarker", {3});
    ASSERT_TRUE(still);
    const auto s = feed_all(*still, {around(5), around(5), around(5), around(5), around(5)});
    EXPECT_EQ(s.back(), 0.5);

    IndicatorBox pressure = make("TdPressure", {2});
    ASSERT_TRUE(pressure);
    const auto p = feed_all(*pressure, {B(10, 12, 8, 11, 100), B(11, 11, 11, 11, 50), B(11, 12, 10, 10, 50)});
    // (1/4) x 100 = 25 and a flat bar's 0 over the volumes 100 and 50; then 0 and -25.
    EXPECT_EQ(p[0], None);
    EXPECT_EQ(*p[1], (25.0 + 0.0) / 2.0 * 100.0 / (150.0 / 2.0));
    EXPECT_EQ(*p[2], (0.0 + -25.0) / 2.0 * 100.0 / (100.0 / 2.0));
    IndicatorBox no_volume = make("TdPressure", {2});
    ASSERT_TRUE(no_volume);
    const auto z = feed_all(*no_volume, {B(10, 12, 8, 11, 0), B(10, 12, 8, 11, 0)});
    EXPECT_EQ(z.back(), 0.0);
}

TEST(DemarkOscillators, RangeExpansionIndex) {
    // Bars 1 to 8 flat at 10; bar 9 at 12 overlaps the bars five and six back: the
    // whole two-bar move counts, 100.
    std::vector<Ohlcv> bars(8, around(10));
    bars.push_back(around(12));
    IndicatorBox up = make("TdRei", {1});
    ASSERT_TRUE(up);
    const auto u = feed_all(*up, bars);
    EXPECT_EQ(u, (Expected{None, None, None, None, None, None, None, None, 100.0}));

    // Bars 1 and 2 at 50, 3 to 8 at 10, bar 9 at 20: neither overlap holds, so the
    // numerator is 0 while the denominator is 20.
    std::vector<Ohlcv> gap = {around(50), around(50)};
    for (int i = 0; i < 6; ++i) gap.push_back(around(10));
    gap.push_back(around(20));
    IndicatorBox none = make("TdRei", {1});
    ASSERT_TRUE(none);
    EXPECT_EQ(feed_all(*none, gap).back(), 0.0);

    // Flat bars: nothing moves, 0.0; the first value comes on bar n + 8.
    IndicatorBox flat = make("TdRei", {3});
    ASSERT_TRUE(flat);
    const auto f = feed_all(*flat, std::vector<Ohlcv>(11, around(7)));
    EXPECT_FALSE(f[9].has_value());
    EXPECT_EQ(f[10], 0.0);
}

TEST(DemarkCounts, RefusedCandlesChangeNothing) {
    expect_refusals_change_nothing("TdSetup", {4, 9}, true);
    expect_refusals_change_nothing("TdCountdown", {4, 9, 2, 13}, true);
    expect_refusals_change_nothing("TdCombo", {2, 9, 6, 13}, true);
    expect_refusals_change_nothing("TdDWave", {2}, false);
    expect_refusals_change_nothing("TdDeMarker", {14}, true);
    expect_refusals_change_nothing("TdPressure", {14}, true);
    expect_refusals_change_nothing("TdRei", {5}, true);
}

}  // namespace
}  // namespace torvex::test
