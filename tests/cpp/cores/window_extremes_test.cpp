// The ring with kept extremes (ScannedExtremes) and the hybrid that picks it or the
// queues by the window (WindowExtremes) against the monotone queues themselves
// (QueueExtremes), bit for bit: values and the arrivals that hold them, on series
// with ties, signed zeros, NaN, infinities and flat runs.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {
namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Stretches of a few kinds, so that windows both hold NaN and are free of it for long
// enough that the kept extremes leave and are found again: small integers (many
// ties), signed zeros, flat runs, a rising and a falling walk, and now and then a
// NaN or an infinity.
std::vector<double> mixed_series(std::uint32_t seed, std::size_t count) {
    std::mt19937_64 gen(seed);
    std::vector<double> xs;
    while (xs.size() < count) {
        const int kind = static_cast<int>(gen() % 6);
        const std::size_t run = 1 + gen() % 60;
        double level = static_cast<double>(static_cast<int>(gen() % 9) - 4);
        for (std::size_t i = 0; i < run && xs.size() < count; ++i) {
            const std::uint64_t r = gen();
            double v = 0.0;
            switch (kind) {
                case 0: v = static_cast<double>(static_cast<int>(r % 7) - 3); break;
                case 1: v = (r & 1) ? 0.0 : -0.0; break;
                case 2: v = level; break;
                case 3: v = level += 0.25 * static_cast<double>(r % 3); break;
                case 4: v = level -= 0.25 * static_cast<double>(r % 3); break;
                default: v = static_cast<double>(r % 1000) * 0.01 - 5.0; break;
            }
            const std::uint64_t odd = gen() % 400;
            if (odd < 4) v = kNaN;
            else if (odd < 6) v = kInf;
            else if (odd < 8) v = -kInf;
            xs.push_back(v);
        }
    }
    return xs;
}

// Series where NaN and infinities are absent (the candles' case) and where they are
// common.
std::vector<std::vector<double>> series_set() {
    std::vector<std::vector<double>> all;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) all.push_back(mixed_series(seed, 6000));
    std::vector<double> clean = mixed_series(99, 6000);
    for (double& v : clean)
        if (!std::isfinite(v)) v = -0.0;
    all.push_back(clean);
    std::vector<double> dense = mixed_series(7, 3000);
    std::mt19937_64 gen(7);
    for (double& v : dense)
        if (gen() % 10 == 0) v = kNaN;
    all.push_back(dense);
    return all;
}

template <class Tested, class MaxPolicy, class MinPolicy>
void expect_same_as_queues(const char* what) {
    const std::vector<std::vector<double>> all = series_set();
    for (std::uint64_t n : {1u, 2u, 3u, 4u, 5u, 14u, 30u, 31u, 100u, 1000u, 4096u, 4097u}) {
        for (std::size_t s = 0; s < all.size(); ++s) {
            const std::vector<double>& xs = all[s];
            Tested tested(n);
            QueueExtremes<MaxPolicy, MinPolicy> queues(n);
            // Highs and lows from two different series, as candles give them.
            for (std::size_t i = 0; i < xs.size(); ++i) {
                const double hi = xs[i];
                const double lo = xs[(i * 7 + 3) % xs.size()];
                tested.push(hi, lo);
                queues.push(hi, lo);
                ASSERT_EQ(bits(tested.highest()), bits(queues.highest())) << what << " n=" << n << " s=" << s << " i=" << i;
                ASSERT_EQ(bits(tested.lowest()), bits(queues.lowest())) << what << " n=" << n << " s=" << s << " i=" << i;
                if constexpr (requires { tested.highest_arrival(); }) {
                    ASSERT_EQ(tested.highest_arrival(), queues.highest_arrival()) << what << " n=" << n << " s=" << s << " i=" << i;
                    ASSERT_EQ(tested.lowest_arrival(), queues.lowest_arrival()) << what << " n=" << n << " s=" << s << " i=" << i;
                } else if constexpr (requires { tested.highest_age(); }) {
                    ASSERT_EQ(tested.highest_age(), queues.count() - queues.highest_arrival()) << what << " n=" << n << " i=" << i;
                    ASSERT_EQ(tested.lowest_age(), queues.count() - queues.lowest_arrival()) << what << " n=" << n << " i=" << i;
                }
                ASSERT_EQ(tested.full(), queues.full());
                ASSERT_EQ(tested.size(), queues.size());
            }
        }
    }
}

TEST(WindowExtremes, RingWithKeptExtremesAnswersAsTheQueues) {
    expect_same_as_queues<ScannedExtremes<BelowIncoming, AboveIncoming>, BelowIncoming, AboveIncoming>("oldest");
    expect_same_as_queues<ScannedExtremes<NotAboveIncoming, NotBelowIncoming>, NotAboveIncoming, NotBelowIncoming>("newest");
    expect_same_as_queues<ScannedExtremes<BelowIncoming, AboveIncoming, false>, BelowIncoming, AboveIncoming>("oldest, values");
    expect_same_as_queues<ScannedExtremes<NotAboveIncoming, NotBelowIncoming, false>, NotAboveIncoming, NotBelowIncoming>(
        "newest, values");
}

TEST(WindowExtremes, HybridAnswersAsTheQueuesOnBothSidesOfTheCrossover) {
    expect_same_as_queues<SlidingExtremes, BelowIncoming, AboveIncoming>("oldest");
    expect_same_as_queues<NewestExtremes, NotAboveIncoming, NotBelowIncoming>("newest");
    expect_same_as_queues<WindowExtremes<BelowIncoming, AboveIncoming, true>, BelowIncoming, AboveIncoming>("oldest, ages");
    expect_same_as_queues<NewestExtremesAndAges, NotAboveIncoming, NotBelowIncoming>("newest, ages");
}

// An owner's word that no NaN comes gives a long window the ring, whose answers stay
// those of the queues (only slower) should a NaN come after all.
TEST(WindowExtremes, NeverNaNHintKeepsTheAnswers) {
    struct NumbersOnly : NewestExtremesAndAges {
        explicit NumbersOnly(std::uint64_t n) : NewestExtremesAndAges(n, ExtremeInputs::NeverNaN) {}
    };
    struct OldestNumbersOnly : SlidingExtremes {
        explicit OldestNumbersOnly(std::uint64_t n) : SlidingExtremes(n, ExtremeInputs::NeverNaN) {}
    };
    expect_same_as_queues<NumbersOnly, NotAboveIncoming, NotBelowIncoming>("newest, numbers");
    expect_same_as_queues<OldestNumbersOnly, BelowIncoming, AboveIncoming>("oldest, numbers");
}

// The queues' answer is no plain fold once a NaN is in the window: the values before
// the oldest NaN are frozen behind it, so its front stays until it leaves, and then
// the NaN itself heads the queue.
TEST(WindowExtremes, NaNFreezesWhatCameBeforeIt) {
    struct Row {
        double pushed;
        double highest;
        std::uint64_t highest_age;
    };
    // Window of 5: [1] [1 N] [1 N 3] [1 N 3 0] [1 N 3 0 2] [N 3 0 2 5] [3 0 2 5 -1]
    // [0 2 5 -1 4].
    const std::vector<Row> rows = {{1.0, 1.0, 0}, {kNaN, 1.0, 1}, {3.0, 1.0, 2}, {0.0, 1.0, 3},
                                   {2.0, 1.0, 4}, {5.0, kNaN, 4}, {-1.0, 5.0, 1}, {4.0, 5.0, 2}};
    const auto check = [&](auto& ext, auto age_of_highest, auto age_of_lowest) {
        for (const Row& row : rows) {
            ext.push(row.pushed, row.pushed);
            if (std::isnan(row.highest)) {
                EXPECT_TRUE(std::isnan(ext.highest()));
            } else {
                EXPECT_EQ(ext.highest(), row.highest);
            }
            EXPECT_EQ(age_of_highest(ext), row.highest_age);
        }
        // The lowest of [0 2 5 -1 4].
        EXPECT_EQ(ext.lowest(), -1.0);
        EXPECT_EQ(age_of_lowest(ext), 1u);
    };
    WindowExtremes<BelowIncoming, AboveIncoming, true> ring(5);  // five values: the ring
    check(ring, [](const auto& e) { return e.highest_age(); }, [](const auto& e) { return e.lowest_age(); });
    QueueExtremes<BelowIncoming, AboveIncoming> queues(5);
    check(queues, [](const auto& e) { return e.count() - e.highest_arrival(); },
          [](const auto& e) { return e.count() - e.lowest_arrival(); });
}

// Among equal extremes the oldest or the newest, by the policy: -0.0, then +0.0, and
// once -0.0 has left, +0.0.
TEST(WindowExtremes, SignedZerosByPolicy) {
    // The queues (a window of 2) and the ring (the same window by ScannedExtremes).
    const auto check = [](auto oldest, auto newest) {
        for (double v : {-0.0, 0.0}) {
            oldest.push(v, v);
            newest.push(v, v);
        }
        EXPECT_EQ(bits(oldest.highest()), bits(-0.0));
        EXPECT_EQ(bits(oldest.lowest()), bits(-0.0));
        EXPECT_EQ(bits(newest.highest()), bits(0.0));
        EXPECT_EQ(bits(newest.lowest()), bits(0.0));
        oldest.push(-1.0, 1.0);
        EXPECT_EQ(bits(oldest.highest()), bits(0.0));
        EXPECT_EQ(bits(oldest.lowest()), bits(0.0));
    };
    check(SlidingExtremes(2), NewestExtremes(2));
    check(ScannedExtremes<BelowIncoming, AboveIncoming, false>(2), ScannedExtremes<NotAboveIncoming, NotBelowIncoming, false>(2));
}

}  // namespace
}  // namespace torvex
