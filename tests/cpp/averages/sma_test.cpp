#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "indicators/averages/sma.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

TEST(Sma, ValuesAndWarmup) {
    auto s = Sma::create(3);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->warmup(), 3u);
    const auto out = test::feed_closes(*s, {1, 2, 3, 4, 10});
    EXPECT_FALSE(out[0]);
    EXPECT_FALSE(out[1]);
    EXPECT_EQ(out[2], 2.0);
    EXPECT_EQ(out[3], 3.0);
    EXPECT_EQ(out[4], 17.0 / 3.0);

    auto one = Sma::create(1);
    ASSERT_TRUE(one);
    for (double c : {5.0, -2.5, 1e300}) EXPECT_EQ(test::feed_close(*one, c), c);
}

TEST(Sma, ConstructorChecks) {
    EXPECT_EQ(Sma::create(0).error(), IndicatorError::zero_period());
    EXPECT_EQ(Sma::create(16'777'217).error(), IndicatorError::period_too_long());
    EXPECT_EQ(Sma::create(UINT64_MAX).error(), IndicatorError::period_too_long());
}

TEST(Sma, RefusedCloseLeavesStateUntouched) {
    auto a = Sma::create(3);
    auto b = Sma::create(3);
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
    const std::vector<double> closes{1, 2, 3, 4, 5, 6, 7};
    for (std::size_t i = 0; i < closes.size(); ++i) {
        if (i % 2 == 1) {
            for (double x : bad) EXPECT_FALSE(test::feed_close(*a, x));
        }
        EXPECT_EQ(test::feed_close(*a, closes[i]), test::feed_close(*b, closes[i]));
    }
}

// The running sum is re-added from the ring every 16·n updates, so after a burst of
// huge values has left the window the mean of small values is exact again.
TEST(Sma, DriftControlAgainstFreshSum) {
    const std::uint64_t n = 4;
    auto s = SmaCore::create(n);
    ASSERT_TRUE(s);
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> tiny(-1e-3, 1e-3);
    std::vector<double> all;
    std::optional<double> last;
    for (std::uint64_t i = 0; i < 16 * n * 300; ++i) {  // ends on a re-sum update
        const double x = (i % 97 < 10) ? 1e17 * double(1 + (i % 3)) : tiny(rng);
        all.push_back(x);
        last = s->step(x);
    }
    double fresh = -0.0;
    for (std::size_t i = all.size() - n; i < all.size(); ++i) fresh += all[i];
    ASSERT_LT(std::fabs(fresh), 1.0) << "the window holds small values only";
    EXPECT_EQ(*last, fresh / double(n));

    // A window of identical values keeps its mean across the re-sum point.
    auto flat = SmaCore::create(3);
    std::vector<double> answers;
    for (int i = 0; i < 200; ++i)
        if (auto v = flat->step(2.5)) answers.push_back(*v);
    for (double v : answers) EXPECT_EQ(v, 2.5);
}

// Once the values that made the sum large have left, the mean is the window's own,
// however many orders the sum fell and however soon after an earlier fall. The small
// values are dyadic with few bits, so every sum of them is exact and the mean of each
// window is known exactly; a residue of the large values cannot hide in them.
TEST(Sma, MeanOfTheWindowAfterEveryFall) {
    const double h = 0x1p100;
    const double m = 0x1p50;
    const std::vector<double> small = {0.5, 0.25, 0.125, 1.0, 0.75, -0.5, 0.375, 2.0, -1.25, 0.625};
    const std::vector<double> zeros(8, 0.0);
    struct Case {
        const char* what;
        std::uint64_t n;
        std::vector<double> large;  // fed first, then `after`
        std::vector<double> after;
    };
    const Case cases[] = {
        {"a second fall within a window of the first", 4, {h, h, m, m}, small},
        {"large values of both signs, whose signed sum passes zero", 4, {h, -h, -m, m}, small},
        {"a geometric fall by 2^20 a bar", 5, {0x1p80, 0x1p60, 0x1p40, 0x1p20}, small},
        {"a large value inside the first fill", 3, {h}, small},
        {"a fall to exact zeros", 3, {h, m, 0x1p20}, zeros},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto core = SmaCore::create(c.n);
        ASSERT_TRUE(core);
        std::vector<double> all = c.large;
        all.insert(all.end(), c.after.begin(), c.after.end());
        for (std::size_t t = 0; t < all.size(); ++t) {
            const std::optional<double> got = core->step(all[t]);
            if (t + 1 < c.large.size() + c.n) continue;  // the window still holds a large value
            double exact = 0.0;
            for (std::size_t i = t + 1 - c.n; i <= t; ++i) exact += all[i];
            ASSERT_TRUE(got);
            EXPECT_EQ(*got, exact / static_cast<double>(c.n)) << "bar " << t + 1;
        }
    }
}

}  // namespace
}  // namespace torvex
