// The precision watch of the shifted sums asks its questions cheapest first: the
// answers must be those of the questions in their first order (the peak test, the test
// for a sum that is NaN or overflowed, then the cancellation and offset test), after any
// history of sums.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstddef>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/shifted_sums.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {
namespace {

// The watch's questions in their first order.
struct FirstOrderWatch {
    double peak = 0.0;
    double tiny_updates = 0.0, run = 0.0, last = 0.0;
    bool known = false;

    bool lost(double count, double shift, double s1, double s2, double newest) {
        // Near the subnormal range of the squares the run of equal values is followed.
        if (s2 < 0x1p-990) {
            run = newest == last ? run + 1 : 1;
            last = newest;
        }
        if (s2 > peak) peak = s2;
        if (peak > ResumClock::kDwarf * s2) return true;
        // A sum that is NaN or infinite asks once; a re-centring that leaves it so
        // makes the peak NaN, which asks no more.
        if (!(s2 <= std::numeric_limits<double>::max())) return peak == peak;
        const double ns2 = count * s2;
        const bool offset = std::fabs(s1) > 0x1p-48 * count * std::fabs(shift);
        // Sums of squares that have lost their digits to underflow leave the offset
        // test to answer, whatever the spread reads, on the update that completes a
        // window of equal values or once a window.
        if (ns2 <= std::numeric_limits<double>::max() && s2 < 0x1p-1000) {
            tiny_updates += 1;
            return offset && (!known || run >= count || tiny_updates >= count);
        }
        // The variance cancels against the largest squares since the re-centring.
        const double spread = ResumClock::kDwarf * (ns2 - s1 * s1);
        const bool cancelled = ns2 > std::numeric_limits<double>::max()
                                   ? ResumClock::kDwarf * (s2 - s1 * (s1 / count)) < peak
                                   : spread < count * peak;
        return cancelled && offset;
    }
    void restart(double s2) {
        peak = s2 <= std::numeric_limits<double>::max() ? s2 : std::nan("");
        tiny_updates = 0;
        known = false;
    }
    void restart(double s2, double r, double l) {
        restart(s2);
        run = r;
        last = l;
        known = s2 < 0x1p-990;
    }
};

TEST(DeviationWatch, AnswersAsItsQuestionsInTheirFirstOrder) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double rare[] = {0.0, -0.0, kInf, -kInf, kNaN, 1e-310, 1e-275, 1e308, -1e308, 1.0, -1.0};
    // A sum of squares near the last, a falling one, or a rare value; s1 anywhere from
    // far inside to beyond the spread that count·s2 allows, or rare.
    int lost = 0, kept = 0, stills = 0;
    for (int history = 0; history < 2000; ++history) {
        DeviationWatch watch;
        // Asked in the two halves that owners which take the rarer work out of line
        // call: the first comparison, and the questions after it where it fails.
        DeviationWatch split;
        // And with the exactly zero sums taken inline after the first comparison.
        DeviationWatch lined;
        FirstOrderWatch first;
        const double counts[] = {1.0, 2.0, 14.0, 30.0, 100.0, 1000.0};
        const double count = counts[rng() % std::size(counts)];
        double s2 = unit(rng) * 100.0;
        double shift = (rng() % 4 == 0) ? rare[rng() % std::size(rare)] : 1000.0 * (unit(rng) - 0.5);
        for (int update = 0; update < 200; ++update) {
            switch (rng() % 8) {
                case 0: s2 = rare[rng() % std::size(rare)]; break;
                case 1: s2 = s2 / (1.0 + 3000.0 * unit(rng)); break;  // falls past 1/1024 of the peak
                case 2: s2 = std::fabs(s2) * (1.0 + unit(rng)); break;
                default: s2 = std::fabs(s2) * (0.9 + 0.2 * unit(rng)); break;
            }
            const double spread = std::sqrt(std::fabs(count * s2));
            double s1 = spread * (2.0 * unit(rng) - 1.0);
            if (rng() % 3 == 0) s1 = (rng() % 2 ? spread : -spread) * (1.0 + 2e-3 * (unit(rng) - 0.5));  // near the edge
            if (rng() % 10 == 0) s1 = rare[rng() % std::size(rare)];
            if (rng() % 16 == 0) s1 = std::nextafter(spread, kInf);  // the cancellation at its edge
            const double newest = rng() % 3 == 0 ? 0.5 : rare[rng() % std::size(rare)];
            const bool want = first.lost(count, shift, s1, s2, newest);
            ASSERT_EQ(watch.lost(count, shift, s1, s2, newest), want)
                << "count " << count << " shift " << shift << " s1 " << s1 << " s2 " << s2 << " update " << update;
            const bool halves = !split.steady(count, s1, s2) && split.asked(count, shift, s1, s2, newest);
            ASSERT_EQ(halves, want) << "in halves: count " << count << " s1 " << s1 << " s2 " << s2;
            bool inlined = false;
            if (!lined.steady(count, s1, s2)) {
                const bool taken = lined.still(s1, s2, newest);
                stills += taken;
                inlined = !taken && lined.asked(count, shift, s1, s2, newest);
            }
            ASSERT_EQ(inlined, want) << "zeros inline: count " << count << " s1 " << s1 << " s2 " << s2;
            (want ? lost : kept) += 1;
            if (want || rng() % 20 == 0) {
                if (rng() % 2 == 0) {
                    watch.restart(s2);
                    split.restart(s2);
                    lined.restart(s2);
                    first.restart(s2);
                } else {
                    const double run = static_cast<double>(rng() % 120);
                    watch.restart(s2, run, 0.5);
                    split.restart(s2, run, 0.5);
                    lined.restart(s2, run, 0.5);
                    first.restart(s2, run, 0.5);
                }
            }
        }
    }
    // Both answers came often enough for the comparison to mean something.
    EXPECT_GT(lost, 20000);
    EXPECT_GT(kept, 100000);
    EXPECT_GT(stills, 1000);
}

// Once the values that could dwarf a window have left, its mean and variance are
// those of what it holds: the window's own, worked out by hand.
TEST(VarianceWindow, ReadsWhatItHoldsOnceOutsizedValuesHaveLeft) {
    struct Case {
        const char* what;
        std::uint64_t n;
        std::vector<double> values;
        double mean;
        double variance;
    };
    const Case cases[] = {
        // The anchor sat among values whose deviations square past the largest
        // double: the squares of the ordinary values overflowed as they entered.
        {"after values near 1e154", 4, {-1e154, -1e154, -1e154, 2.0, 1.0, 3.0, 1.0}, 1.75, 0.6875},
        {"after values near 1e154, the other sign", 4, {1e154, 1e154, 1e154, 2.0, 1.0, 3.0, 2.0}, 2.0, 0.5},
        // Deviations whose squares underflow: only the mean's offset from the
        // anchor shows that the window has turned flat.
        {"zeros after values near 1e-160", 5, {1e-300, -1.3e-160, 0.0, 0.0, 0.0, 0.0, 0.0}, 0.0, 0.0},
        // The anchor was set while values some twenty times the window's were held.
        // Once they left, neither the fall of the squares nor the mean's offset from
        // the anchor reached the watch's limit alone, but the two together left the
        // variance the rounding of the larger squares (it read 0.12500000000007105).
        {"a calm window after values twenty times its level", 3, {36.0, 1.25, 36.0, 36.0, 1.75, 1.75, 2.5}, 2.0, 0.125},
    };
    for (const Case& c : cases) {
        auto window = VarianceWindow::create(c.n);
        ASSERT_TRUE(window) << c.what;
        for (double v : c.values) window->push(v);
        EXPECT_EQ(window->mean(), c.mean) << c.what;
        EXPECT_EQ(window->variance(), c.variance) << c.what;
    }
}

// A window kept as the shifted sums' own recenter_due describes, the test asked in one
// piece (inline, or with the rarer questions out of line): the variance window, which
// splits the test around its out-of-line step, must re-centre on exactly the same
// updates, and so read the same bits, over any history.
class PlainWindow {
public:
    PlainWindow(std::uint64_t n, bool stepped) : window_(n), n_(n), stepped_(stepped) {}
    void push(double x) {
        if (window_.size() == n_) sums_.remove(window_.replace_oldest(x));
        else window_.push_back(x);
        sums_.add(x);
        const double count = static_cast<double>(window_.size());
        const bool due = stepped_ ? sums_.recenter_due_stepped(n_, count, x) : sums_.recenter_due_at(n_, count, x);
        if (!due) return;
        const auto values = [this](const auto& fn) { window_.for_each(fn); };
        sums_.recenter(window_.size(), values);
        sums_.wait_for_wild_to_leave(window_.size(), values);
    }
    ShiftedSums::Moments moments() const { return sums_.moments(static_cast<double>(n_)); }

private:
    FixedRing<double> window_;
    ShiftedSums sums_;
    std::uint64_t n_;
    bool stepped_;
};

TEST(VarianceWindow, RecentresWhereTheWholeTestAsks) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double rare[] = {0.0, kInf, -kInf, 1e-300, -1.3e-160, 1e-170, 1e154, -1e154, 1e300, 0x1p500, 1e6};
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (const std::uint64_t n : {2u, 5u, 20u}) {
        auto window = VarianceWindow::create(n);
        ASSERT_TRUE(window);
        PlainWindow inline_test(n, false), stepped(n, true);
        double level = 100.0;
        for (int bar = 0; bar < 20000; ++bar) {
            // A walk whose level now and then jumps across the range, with rare values.
            if (rng() % 500 == 0) level = std::ldexp(1.0, static_cast<int>(rng() % 2000) - 1000);
            const double x = rng() % 40 == 0 ? rare[rng() % std::size(rare)]
                             : rng() % 7 == 0 ? level
                                              : level * (1.0 + 1e-3 * unit(rng));
            window->push(x);
            inline_test.push(x);
            stepped.push(x);
            if (window->size() < n) continue;
            const ShiftedSums::Moments got = window->moments(), a = inline_test.moments(), b = stepped.moments();
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got.variance), std::bit_cast<std::uint64_t>(a.variance))
                << "n " << n << " bar " << bar;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got.mean), std::bit_cast<std::uint64_t>(a.mean)) << "n " << n << " bar " << bar;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(b.variance), std::bit_cast<std::uint64_t>(a.variance))
                << "stepped: n " << n << " bar " << bar;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(b.mean), std::bit_cast<std::uint64_t>(a.mean))
                << "stepped: n " << n << " bar " << bar;
        }
    }
}

}  // namespace
}  // namespace torvex
