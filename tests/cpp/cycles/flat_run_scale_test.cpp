// Prices times 2^k are exact, and move the bar at which a halt's decaying averages and
// filters would leave the normal range by hundreds of bars each way. A name that obeys
// the scale relation before a halt must obey it through the halt, however long, and
// after it: its quotients read the same at every scale.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "registry/invariant_checks.hpp"

namespace torvex::test {
namespace {

TEST(FlatRunScale, QuotientsReadTheSameAtEveryScaleThroughALongHalt) {
    struct Row {
        const char* name;
        std::vector<double> params;
        std::size_t halt;  // long enough for the filter's peak to leave the normal range at 2^-300
    };
    const Row rows[] = {
        {"UniversalOscillator", {20}, 60000},
        {"Rsi", {14}, 12000},
        {"Adx", {14}, 12000},
        {"Tsi", {25, 13}, 12000},
        {"EvenBetterSinewave", {40, 10}, 12000},
    };
    std::vector<HostileBar> walk;
    append_walk(walk, 200, 100.0, 5);
    for (const Row& r : rows) {
        std::vector<HostileBar> bars = walk;
        HostileBar halted = bars.back();
        halted.candle.open = halted.candle.high = halted.candle.low = halted.candle.close;
        halted.candle.volume = 0.0;
        bars.insert(bars.end(), r.halt, halted);
        std::vector<HostileBar> after;
        append_walk(after, 40, halted.candle.close, 7);
        bars.insert(bars.end(), after.begin(), after.end());
        stamp_times(bars);
        IndicatorBox plain = make(r.name, r.params);
        ASSERT_TRUE(plain) << r.name;
        const std::vector<Answer> want = run(*plain, bars, 0, bars.size());
        for (const int k : {300, -300}) {
            IndicatorBox scaled = make(r.name, r.params);
            const std::vector<Answer> got = run(*scaled, bars, 0, bars.size(), std::ldexp(1.0, k));
            std::size_t differ = 0;
            for (std::size_t i = 0; i < bars.size(); ++i) {
                const std::vector<double> a = shown(got[i]), b = shown(want[i]);
                bool same = a.size() == b.size();
                // Every output is a quotient (degree 0 in price): the same to 1e-12 of its
                // own scale, which leaves a state that has drifted far below its group's
                // largest its own roundings, and nothing else.
                for (std::size_t j = 0; same && j < a.size(); ++j) same = scales(a[j], b[j], k, 0, 1.0, 0.0, 1e-12);
                if (!same && differ++ == 0)
                    ADD_FAILURE() << r.name << " at 2^" << k << ", bar " << i << ": " << (a.empty() ? 0.0 : a[0])
                                  << " where " << (b.empty() ? 0.0 : b[0]) << " is due";
            }
            EXPECT_EQ(differ, 0u) << r.name << " at 2^" << k;
        }
    }
}

}  // namespace
}  // namespace torvex::test
