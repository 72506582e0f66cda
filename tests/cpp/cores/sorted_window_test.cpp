// The sorted window against a plain sort, its total order, quantile and the
// ordered absolute deviations.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "indicators/cores/sorted_window.hpp"

namespace torvex {
namespace {

std::vector<std::uint64_t> bits_of(const std::vector<double>& v) {
    std::vector<std::uint64_t> out;
    for (double x : v) out.push_back(std::bit_cast<std::uint64_t>(x));
    return out;
}

TEST(SortedWindowCore, MatchesAPlainSortWithTiesAndSignedZeros) {
    auto w = *SortedWindow::create(7);
    std::deque<double> shadow;
    std::uint64_t seed = 12345;
    for (int t = 0; t < 400; ++t) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const int pick = static_cast<int>((seed >> 33) % 9);
        const double pool[] = {-0.0, 0.0, 1.5, 1.5, -2.0, 3.25, -1e300, 1e-300, -0.0};
        const double x = pool[pick];
        const auto evicted = w.push(x);
        shadow.push_back(x);
        if (shadow.size() > 7) {
            ASSERT_TRUE(evicted);
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*evicted), std::bit_cast<std::uint64_t>(shadow.front()));
            shadow.pop_front();
        } else {
            EXPECT_FALSE(evicted);
        }
        std::vector<double> want(shadow.begin(), shadow.end());
        std::sort(want.begin(), want.end(),
                  [](double a, double b) { return total_order_key(a) < total_order_key(b); });
        const std::vector<double> got(w.sorted().begin(), w.sorted().end());
        ASSERT_EQ(bits_of(got), bits_of(want)) << "after push " << t;
        ASSERT_TRUE(std::equal(w.values().begin(), w.values().end(), shadow.begin(), shadow.end(),
                               [](double a, double b) { return std::bit_cast<std::uint64_t>(a) ==
                                                               std::bit_cast<std::uint64_t>(b); }));
    }
}

TEST(SortedWindowCore, TotalOrderKeys) {
    EXPECT_LT(total_order_key(-0.0), total_order_key(0.0));
    EXPECT_LT(total_order_key(-1.0), total_order_key(-0.5));
    EXPECT_LT(total_order_key(-INFINITY), total_order_key(-1e308));
    EXPECT_LT(total_order_key(1e308), total_order_key(INFINITY));
    EXPECT_LT(total_order_key(4.9e-324), total_order_key(1e-300));

    auto w = *SortedWindow::create(2);
    w.push(0.0);
    w.push(-0.0);
    EXPECT_TRUE(std::signbit(w.sorted()[0]));
    EXPECT_FALSE(std::signbit(w.sorted()[1]));
    w.push(5.0);  // +0.0 leaves, and only it
    ASSERT_EQ(w.size(), 2u);
    EXPECT_TRUE(std::signbit(w.sorted()[0]));
    EXPECT_EQ(w.sorted()[1], 5.0);
}

TEST(SortedWindowCore, TypeSevenQuantile) {
    auto w = *SortedWindow::create(4);
    for (double x : {4.0, 1.0, 3.0, 2.0}) w.push(x);
    const std::pair<double, double> cases[] = {{0.0, 1.0}, {1.0, 4.0}, {0.5, 2.5}, {0.25, 1.75}, {0.9, 3.7}};
    for (auto [q, want] : cases) EXPECT_NEAR(w.quantile(q), want, 1e-15) << q;

    auto same = *SortedWindow::create(5);
    for (int i = 0; i < 5; ++i) same.push(-7.5);
    for (double q : {0.0, 0.3, 0.5, 1.0}) EXPECT_EQ(same.quantile(q), -7.5);
}

TEST(SortedWindowCore, AbsDeviationsAscendingInMergeOrder) {
    std::vector<double> out{99.0};
    SortedWindow::abs_deviations(std::vector<double>{1, 2, 4, 7}, 3.0, out);
    EXPECT_EQ(out, (std::vector<double>{1, 1, 2, 4}));
    SortedWindow::abs_deviations(std::vector<double>{1, 2}, 10.0, out);  // all below the centre
    EXPECT_EQ(out, (std::vector<double>{8, 9}));
    SortedWindow::abs_deviations(std::vector<double>{}, 0.0, out);
    EXPECT_TRUE(out.empty());

    const std::vector<double> s{-3.5, -1.0, 0.0, 0.25, 0.25, 2.0, 6.0, 11.0};
    for (double c : {-4.0, 0.25, 0.3, 5.0, 20.0}) {
        std::vector<double> want;
        for (double v : s) want.push_back(std::fabs(v - c));
        std::sort(want.begin(), want.end());
        SortedWindow::abs_deviations(s, c, out);
        EXPECT_EQ(out, want) << c;
    }
}

// Counts by the ordinary comparison: -0.0 and +0.0 are one value, the infinities
// count like any other.
TEST(SortedWindowCore, CountsBelowAndNotAbove) {
    auto w = *SortedWindow::create(7);
    for (double x : std::vector<double>{-0.0, 2.0, 0.0, -INFINITY, 2.0, INFINITY, -1.5}) w.push(x);
    // -inf, -1.5, -0.0, +0.0, 2, 2, +inf
    const struct {
        double v;
        std::size_t below, not_above;
    } cases[] = {{0.0, 2, 4},       {-0.0, 2, 4},       {2.0, 4, 6}, {1.0, 4, 4}, {-2.0, 1, 1},
                 {INFINITY, 6, 7}, {-INFINITY, 0, 1}, {5.0, 6, 6}, {-1.5, 1, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(w.count_below(c.v), c.below) << c.v;
        EXPECT_EQ(w.count_not_above(c.v), c.not_above) << c.v;
    }

    // The rank of the newest, from where it went in: -1.5 itself; then 2.0 in place
    // of the oldest -0.0 (-inf, -1.5, 0, 2, 2, 2, inf); then +0.0 in place of the
    // oldest 2.0 (-inf, -1.5, 0, 0, 2, 2, inf), where both zeros count as equal.
    const struct {
        std::optional<double> push;
        std::size_t below, not_above;
    } newest[] = {{std::nullopt, 1, 2}, {2.0, 3, 6}, {0.0, 2, 4}, {INFINITY, 5, 7}};
    for (const auto& c : newest) {
        if (c.push) w.push(*c.push);
        const SortedWindow::Rank r = w.rank_of_newest();
        EXPECT_EQ(r.below, c.below) << w.values().back();
        EXPECT_EQ(r.not_above, c.not_above) << w.values().back();
    }
}

// The quantile and median of the ascending |v − c| list, worked by hand, including
// the overflowing differences: an infinite deviation next to a finite one gives the
// quantile inf·0 = NaN at a whole position, as the list itself would.
TEST(SortedWindowCore, DeviationQuantileAndMedianWithoutTheList) {
    const double big = 1e308;
    const struct {
        std::vector<double> window;
        double c, q, quantile, median;
    } cases[] = {
        {{1, 2, 4, 7}, 3.0, 0.5, 1.5, 1.5},          // 1, 1, 2, 4
        {{1, 2, 4, 7}, 3.0, 0.0, 1.0, 1.5},
        {{1, 2, 4, 7}, 3.0, 1.0, 4.0, 1.5},
        {{1, 2, 4, 7}, 3.0, 0.25, 1.0, 1.5},         // pos 0.75 between two 1s
        {{1, 2, 3, 4, 100}, 3.0, 0.5, 1.0, 1.0},     // 0, 1, 1, 2, 97
        {{1, 2, 3, 4, 100}, 3.0, 0.75, 2.0, 1.0},    // pos 3: 2 + 95·0
        {{1, 2, 3, 4, 100}, 3.0, 0.9, 59.00000000000001, 1.0},  // pos 0.9·4 = 3.6, fraction 0.6000000000000001
        {{1, 2}, 10.0, 0.5, 8.5, 8.5},               // all below the centre: 8, 9
        {{5}, 5.0, 0.5, 0.0, 0.0},
        {{-big, 0.0, big}, 0.0, 0.5, big, big},      // 0, 1e308, 1e308
        {{-big, big, big}, big, 0.5, NAN, 0.0},      // 0, 0, inf: 0 + inf·0
        {{-big, big, big}, big, 0.0, 0.0, 0.0},
        {{1, 2, 3}, INFINITY, 0.5, NAN, INFINITY},   // inf, inf, inf
        {{1, 2}, NAN, 0.5, NAN, NAN},
    };
    for (const auto& c : cases) {
        auto w = *SortedWindow::create(c.window.size());
        for (double x : c.window) w.push(x);
        const double q = w.abs_deviation_quantile(c.c, c.q);
        const double m = w.abs_deviation_median(c.c);
        if (std::isnan(c.quantile)) EXPECT_TRUE(std::isnan(q)) << c.c << " q " << c.q;
        else EXPECT_EQ(q, c.quantile) << c.c << " q " << c.q;
        if (std::isnan(c.median)) EXPECT_TRUE(std::isnan(m)) << c.c;
        else EXPECT_EQ(m, c.median) << c.c;
    }
}

// Long windows keep their sorted view in blocks: random pushes against a plain sorted
// vector, bit for bit, for windows that fill across the block-size steps (2,048
// values flat, then blocks of 128 up to 4,096, of 256 up to 16,384, then of 512),
// under ties of both zeros, NaN payloads, a steady rise (every move crosses every
// block) and a steady fall.
TEST(SortedWindowCore, BlockedViewMatchesAPlainSortedVector) {
    const double pool[] = {-0.0, 0.0, 1.5, -2.0, 3.25, -1e300, INFINITY, -INFINITY, 7.0, 7.0};
    const double nan_a = std::bit_cast<double>(0x7ff8000000000001ull);
    const double nan_b = std::bit_cast<double>(0xfff0000000000002ull);
    enum class Feed { Ties, Walk, Rise, Fall, Nans };
    const struct {
        std::uint64_t n;
        Feed feed;
        int pushes;
    } cases[] = {{2100, Feed::Ties, 5000},  {4100, Feed::Walk, 9000},  {2049, Feed::Rise, 5000},
                 {2300, Feed::Fall, 5000},  {2500, Feed::Nans, 6000},  {2048, Feed::Walk, 4200},
                 {16500, Feed::Walk, 20000}};
    const auto before = [](double a, double b) { return total_order_key(a) < total_order_key(b); };
    for (const auto& c : cases) {
        auto w = *SortedWindow::create(c.n);
        std::deque<double> arrivals;
        std::vector<double> shadow;  // kept sorted by insertion at the lower bound
        std::uint64_t seed = 99 + c.n;
        double level = 0.0;
        for (int t = 0; t < c.pushes; ++t) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            const std::uint64_t r = seed >> 33;
            double x = 0.0;
            switch (c.feed) {
                case Feed::Ties: x = pool[r % 10]; break;
                case Feed::Walk: level += static_cast<double>(r % 2001) / 1000.0 - 1.0; x = level; break;
                case Feed::Rise: x = t; break;
                case Feed::Fall: x = -t * 0.5; break;
                case Feed::Nans: x = r % 3 == 0 ? (r % 2 ? nan_a : nan_b) : pool[r % 10]; break;
            }
            const std::optional<double> evicted = w.push(x);
            arrivals.push_back(x);
            if (arrivals.size() > c.n) {
                ASSERT_TRUE(evicted);
                ASSERT_EQ(std::bit_cast<std::uint64_t>(*evicted), std::bit_cast<std::uint64_t>(arrivals.front()));
                shadow.erase(std::lower_bound(shadow.begin(), shadow.end(), arrivals.front(), before));
                arrivals.pop_front();
            } else {
                ASSERT_FALSE(evicted);
            }
            shadow.insert(std::lower_bound(shadow.begin(), shadow.end(), x, before), x);
            ASSERT_EQ(w.size(), shadow.size());
            // A few ranks every push, the whole view now and then and on the steps.
            for (std::size_t i : {std::size_t{0}, shadow.size() / 2, shadow.size() - 1, r % shadow.size()}) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(w.at(i)), std::bit_cast<std::uint64_t>(shadow[i]))
                    << "rank " << i << " after push " << t << " of window " << c.n;
            }
            // A stretch of ranks that may start and end inside blocks and rings.
            const std::size_t from = r % shadow.size(), to = from + (r >> 11) % (shadow.size() - from + 1);
            std::vector<double> stretch;
            w.for_each_sorted(from, to, [&stretch](double v) { stretch.push_back(v); });
            ASSERT_EQ(bits_of(stretch), bits_of({shadow.begin() + from, shadow.begin() + to})) << from << ".." << to;
            const bool whole = t % 97 == 0 || t == 2048 || t == 2049 || t == 4096 || t == 4097 || t == 16384 || t == 16385;
            if (whole) {
                std::vector<double> walked;
                w.for_each_sorted(0, w.size(), [&walked](double v) { walked.push_back(v); });
                ASSERT_EQ(bits_of(walked), bits_of(shadow)) << "after push " << t << " of window " << c.n;
            }
            if (c.feed == Feed::Nans) continue;  // the counts and quantiles take no NaN
            const double q = static_cast<double>(r % 1001) / 1000.0;
            const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
            ASSERT_EQ(bits(w.quantile(q)), bits(SortedWindow::quantile_of(shadow, q))) << t;
            ASSERT_EQ(bits(w.median()), bits(SortedWindow::median_of(shadow))) << t;
            const auto below = static_cast<std::size_t>(std::count_if(
                shadow.begin(), shadow.end(), [x](double v) { return v < x; }));
            const auto not_above = static_cast<std::size_t>(std::count_if(
                shadow.begin(), shadow.end(), [x](double v) { return v <= x; }));
            const SortedWindow::Rank rank = w.rank_of_newest();
            ASSERT_EQ(rank.below, below) << t;
            ASSERT_EQ(rank.not_above, not_above) << t;
            if (whole && c.feed != Feed::Ties) {  // the ties pool holds infinities
                std::vector<double> devs;
                SortedWindow::abs_deviations(shadow, w.median(), devs);
                ASSERT_EQ(bits(w.abs_deviation_median(w.median())), bits(SortedWindow::median_of(devs))) << t;
                SortedWindow::abs_deviations(shadow, x, devs);
                ASSERT_EQ(bits(w.abs_deviation_quantile(x, q)), bits(SortedWindow::quantile_of(devs, q))) << t;
            }
        }
        // A copy, and the span of a window whose rings were turned, hold the same
        // values, and both go on alike.
        SortedWindow copy = w;
        ASSERT_EQ(bits_of({w.sorted().begin(), w.sorted().end()}), bits_of(shadow));
        for (double x : {2.5, -0.0, 1e-300, 2.5}) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*copy.push(x)), std::bit_cast<std::uint64_t>(*w.push(x)));
        }
        ASSERT_EQ(bits_of({copy.sorted().begin(), copy.sorted().end()}), bits_of({w.sorted().begin(), w.sorted().end()}));
    }
}

}  // namespace
}  // namespace torvex
