// Names that divide by an average of ranges, changes or volumes, over a long quiet
// run: bars whose high is their low (so the close repeats), or bars without volume.
// The averages decay by a constant factor each bar and, in exact arithmetic, never
// reach zero: most names hold their flat-run answer through the run at any ordinary
// price level. A name whose answer over the run is its zero-divisor answer reads it
// from some bar on, with no drift in between and no infinity when the next move comes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "volatility/candle_support.hpp"

namespace torvex::test {
namespace {

enum class Quiet { Flat, NoVolume };

struct QuietCase {
    const char* name;
    std::vector<double> params;
    Quiet kind;
    std::size_t bars;                  // long enough for the divisor to leave the normal range
    double zero_answer;                // the definition's answer for a zero divisor
    std::optional<double> flat_answer;  // worked from the formula where the history does not set it
};

// (1 − 2/(e + 1))^r − 1 in percent: the average of ranges keeps that share over r flat bars.
double chaikin_flat(double e, double r) { return (std::pow(1.0 - 2.0 / (e + 1.0), r) - 1.0) * 100.0; }

// Walking bars at `level`, then the quiet run at their last close, then walking bars again.
std::vector<Ohlcv> quiet_history(double level, Quiet kind, std::size_t quiet) {
    const double s = level / 100.0;
    auto scaled = [s](std::vector<Ohlcv> bars) {
        for (Ohlcv& b : bars) b = Ohlcv{b.ts, b.open * s, b.high * s, b.low * s, b.close * s, b.volume};
        return bars;
    };
    std::vector<Ohlcv> bars = scaled(wavy_bars(60));
    const double c = bars.back().close;
    for (std::size_t i = 0; i < quiet; ++i) bars.push_back(Ohlcv{0, c, c, c, c, kind == Quiet::Flat ? 1.0 : 0.0});
    for (const Ohlcv& b : scaled(wavy_bars(30))) bars.push_back(b);
    return bars;
}

TEST(QuietRunDivisor, ReadsTheZeroDivisorAnswerOnceTheAverageLeavesTheNormalRange) {
    const std::vector<QuietCase> cases = {
        {"VolatilityRatio", {14}, Quiet::Flat, 5050, 0.0, 0.0},
        {"Rsx", {14}, Quiet::Flat, 5000, 50.0, std::nullopt},
    };
    for (const QuietCase& c : cases)
        for (const double level : {100.0, 1e4, 0.01}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.params[0]) + " at " + std::to_string(level));
            IndicatorBox ind = make_named(c.name, c.params);
            ASSERT_TRUE(ind);
            const std::vector<Ohlcv> bars = quiet_history(level, c.kind, c.bars);
            std::vector<std::optional<double>> got;
            for (const Ohlcv& b : bars) got.push_back(ind->update(BarContext(b)));
            // Past the run's first 500 bars every row is the flat answer (one value over
            // the run, up to the roundings of the averages), or the zero-divisor answer
            // from some bar on.
            const std::size_t first = 60 + 500, end = 60 + c.bars;
            ASSERT_TRUE(got[first]);
            const double flat = c.flat_answer.value_or(*got[first]);
            std::size_t drifting = 0;
            bool zero_reached = false;
            for (std::size_t i = first; i < end; ++i) {
                ASSERT_TRUE(got[i]) << "bar " << i;
                const double v = *got[i];
                if (v == c.zero_answer) zero_reached = true;
                else if (zero_reached || !(std::fabs(v - flat) <= 1e-10 * std::fabs(flat))) drifting += 1;
            }
            EXPECT_EQ(drifting, 0u);
            EXPECT_TRUE(zero_reached);
            EXPECT_EQ(*got[end - 1], c.zero_answer);
            // The next move meets no divisor left in the subnormal range.
            for (std::size_t i = end; i < bars.size(); ++i)
                if (got[i]) {
                    EXPECT_TRUE(std::isfinite(*got[i])) << "bar " << i << " " << *got[i];
                }
        }
}

// The first range after the run is compared with the average from before it, which
// has left the normal range: the ratio reads 0, as for an average of 0.
TEST(QuietRunDivisor, VolatilityRatioAfterALongFlatRun) {
    IndicatorBox ind = make_named("VolatilityRatio", {14});
    ASSERT_TRUE(ind);
    for (int i = 0; i < 20; ++i) feed(*ind, candle(100.0, 100.5, 99.5, 100.0));
    for (int i = 0; i < 5050; ++i) feed(*ind, candle(100.0, 100.0, 100.0, 100.0));
    EXPECT_EQ(feed(*ind, candle(100.0, 101.0, 99.0, 100.0)), 0.0);
    // The average from before this bar holds 2 · 2/15 of the new range again.
    EXPECT_NEAR(*feed(*ind, candle(100.0, 101.0, 99.0, 100.0)), 2.0 / (2.0 * 2.0 / 15.0), 1e-9);
}

// Ranges of 1, then n flat bars: the oldest average, 3^-(n - 2), is still normal for
// n up to 646, but from n = 644 on the first range after the run divides it past the
// largest double. Those runs read 0 as the longer ones do.
TEST(QuietRunDivisor, ChaikinVolatilityJustAboveTheSubnormalRange) {
    for (int n = 640; n <= 650; ++n) {
        SCOPED_TRACE(n);
        IndicatorBox ind = make_named("ChaikinVolatility", {2, 2});
        ASSERT_TRUE(ind);
        for (int i = 0; i < 10; ++i) feed(*ind, candle(100.0, 100.5, 99.5, 100.0));
        for (int i = 0; i < n; ++i) feed(*ind, candle(100.0, 100.0, 100.0, 100.0));
        const std::optional<double> first = feed(*ind, candle(100.0, 100.5, 99.5, 100.0));
        ASSERT_TRUE(first);
        EXPECT_TRUE(std::isfinite(*first)) << *first;
        if (n >= 644) {
            EXPECT_EQ(*first, 0.0);
        }
    }
}

// Names that hold their decaying states in the normal range by powers of two: the
// flat-run answer holds through the whole run, whatever the price level moves the bar
// where the averages would have left the normal range, never the zero-divisor answer,
// and the moves after it read finite values.
TEST(QuietRunDivisor, HoldsTheFlatAnswerThroughTheRun) {
    const std::vector<QuietCase> cases = {
        {"Rsi", {14}, Quiet::Flat, 11000, 50.0, std::nullopt},
        {"Rmi", {14, 5}, Quiet::Flat, 11000, 50.0, std::nullopt},
        {"RviVolatility", {14}, Quiet::Flat, 11000, 50.0, std::nullopt},
        {"VolumeRsi", {14}, Quiet::Flat, 11000, 50.0, std::nullopt},
        {"PlusDi", {14}, Quiet::Flat, 11000, 0.0, std::nullopt},
        {"Dx", {14}, Quiet::Flat, 11000, 0.0, std::nullopt},
        {"Tsi", {25, 13}, Quiet::Flat, 10500, 0.0, std::nullopt},
        {"Vzo", {14}, Quiet::NoVolume, 6000, 0.0, std::nullopt},
        {"TwiggsMoneyFlow", {21}, Quiet::NoVolume, 16000, 0.0, std::nullopt},
        {"ChaikinVolatility", {2, 2}, Quiet::Flat, 1000, 0.0, chaikin_flat(2, 2)},
        {"ChaikinVolatility", {10, 10}, Quiet::Flat, 5000, 0.0, chaikin_flat(10, 10)},
        {"EvenBetterSinewave", {40, 10}, Quiet::Flat, 4000, 0.0, std::nullopt},
    };
    for (const QuietCase& c : cases)
        for (const double level : {100.0, 1e4, 0.01}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.params[0]) + " at " + std::to_string(level));
            IndicatorBox ind = make_named(c.name, c.params);
            ASSERT_TRUE(ind);
            const std::vector<std::optional<double>> got = feed_bars(*ind, quiet_history(level, c.kind, c.bars));
            const std::size_t end = 60 + c.bars;
            ASSERT_TRUE(got[60 + 500]);
            const double flat = c.flat_answer.value_or(*got[60 + 500]);
            EXPECT_NE(flat, c.zero_answer);
            for (std::size_t i = 60 + 500; i < got.size(); ++i) {
                ASSERT_TRUE(got[i]) << "bar " << i;
                if (i < end) {
                    ASSERT_NEAR(*got[i], flat, 1e-10 * std::fabs(flat)) << "bar " << i;
                } else {
                    EXPECT_TRUE(std::isfinite(*got[i])) << "bar " << i << " " << *got[i];
                }
            }
        }
}

}  // namespace
}  // namespace torvex::test
