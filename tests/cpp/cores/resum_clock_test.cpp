// When the re-sum clock asks for a re-add: every `interval` updates on a fixed phase,
// and on the update whose magnitude has fallen below 1/1024 of the largest since the
// last re-add; a NaN sum asks once; a sum still not finite after a re-add is re-added
// as soon as the terms still held can sum to a finite value, and after a second
// failure in a row that finite terms alone caused, as its newest wild term leaves.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Magnitudes that rise and collapse, NaN among them; intervals from every update to
// never.
constexpr double kPool[] = {0.0, 1.0, 3.0, 1e3, 1e6, 1e12, 1e300, kNaN};
constexpr std::uint64_t kIntervals[] = {0, 1, 2, 7, 64, ResumClock::kNoDrift};

// The updates (1-based) on which the clock asked for a re-add.
std::vector<int> fires(ResumClock clock, const std::vector<double>& magnitudes) {
    std::vector<int> out;
    for (std::size_t i = 0; i < magnitudes.size(); ++i) {
        if (clock.tick(magnitudes[i])) out.push_back(static_cast<int>(i + 1));
    }
    return out;
}

TEST(ResumClock, FiresOnTheFallAndKeepsTheDriftPhase) {
    struct Case {
        const char* label;
        std::uint64_t interval;
        std::vector<double> magnitudes;
        std::vector<int> want;
    };
    const std::vector<Case> cases = {
        {"drift only", 4, {5, 5, 5, 5, 5, 5, 5, 5, 5}, {4, 8}},
        // 1e12 in the sum, then a window of small values: the update that takes it out.
        {"a fall", 100, {1, 1e12, 1e12, 1e12, 3, 3, 3}, {5}},
        // A fall of exactly 1024 times is not yet one; a little more is.
        {"the threshold", 100, {1024, 1, 1024, 0.99}, {4}},
        // A fall re-add does not move the drift schedule.
        {"fall between drift re-adds", 4, {1, 1e12, 2, 2, 2, 2, 2, 2}, {3, 4, 8}},
        // A second fall right after the first is a re-add of its own.
        {"two falls", 100, {1e12, 1, 1e12, 1, 1, 1, 1}, {2, 4}},
        // A drift re-add first, while the huge value is still held: its fall still counts.
        {"drift before the fall", 4, {1, 1, 1e12, 1e12, 1e12, 5}, {4, 6}},
        // NaN (opposite infinities met) asks once, not on every update while it lasts.
        {"NaN once", 100, {1, kNaN, kNaN, kNaN, 1}, {2}},
        // All zeros: no fall from a peak of zero.
        {"zeros", 100, {0, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fires(ResumClock(c.interval), c.magnitudes), c.want) << c.label;
    }
}

TEST(ResumClock, FallTestBetweenUpdatesDoesNotCount) {
    ResumClock clock(3);
    EXPECT_FALSE(clock.tick(1e12));
    EXPECT_TRUE(clock.fell_since_resum(1.0));   // the huge value left between two ticks
    EXPECT_FALSE(clock.fell_since_resum(1.0));  // once
    EXPECT_FALSE(clock.tick(1.0));
    EXPECT_TRUE(clock.tick(1.0));  // the drift re-add on the third tick, unmoved
}

// The clock as it was with two counters, one per schedule, both moved on every update.
class TwoCounterClock {
public:
    explicit TwoCounterClock(std::uint64_t interval) : interval_(interval > 0 ? interval : 1) {}

    bool tick(double m) {
        since_ += 1;
        const bool periodic = since_ >= interval_;
        peak_ = m > peak_ ? m : peak_;
        const bool fell = !(ResumClock::kDwarf * m >= peak_) && peak_ == peak_;
        if (fell || periodic) {
            if (periodic) since_ = 0;
            peak_ = m;
            return true;
        }
        return false;
    }

private:
    std::uint64_t interval_;
    std::uint64_t since_ = 0;
    double peak_ = 0.0;
};

// The one-counter clock fires on exactly the updates the two-counter clock did, over
// magnitudes that rise and collapse, NaN among them, for intervals from every update
// to never.
TEST(ResumClock, OneCounterFiresAsTwoCountersDid) {
    std::mt19937_64 rng(7);
    for (const std::uint64_t interval : kIntervals) {
        ResumClock clock(interval);
        TwoCounterClock reference(interval);
        for (int i = 0; i < 20000; ++i) {
            const double m = kPool[rng() % std::size(kPool)] * (rng() % 2 == 0 ? 1.0 : 0.5);
            ASSERT_EQ(clock.tick(m), reference.tick(m)) << "interval " << interval << " update " << i;
        }
    }
}

// A clock of two sums stepped through its state with the magnitudes and peaks as
// vector lanes fires on exactly the updates tick(a, b) does, and leaves the same
// state, over magnitudes that rise and collapse in either sum alone or both, NaN
// among them, for every interval.
TEST(ResumClock, LanesTickAsTheTwoSumTick) {
    std::mt19937_64 rng(11);
    for (const std::uint64_t interval : kIntervals) {
        ResumClock clock(interval);
        ResumClock::State lanes = clock.state();
        ResumClock::Lanes2 peaks = {lanes.peak0, lanes.peak1};
        for (int i = 0; i < 20000; ++i) {
            constexpr double kLanePool[] = {0.0, 1.0, 3.0, 1e6, 1e300, kNaN, std::numeric_limits<double>::infinity()};
            const double a = kLanePool[rng() % std::size(kLanePool)] * (rng() % 2 == 0 ? 1.0 : 0.5);
            const double b = rng() % 3 == 0 ? a : kLanePool[rng() % std::size(kLanePool)];
            const bool fired = ResumClock::tick_lanes(lanes, peaks, ResumClock::Lanes2{a, b});
            ASSERT_EQ(fired, clock.tick(a, b)) << "interval " << interval << " update " << i;
        }
        const ResumClock::State after = clock.state();
        EXPECT_EQ(lanes.now, after.now);
        EXPECT_EQ(lanes.due, after.due);
        // Peaks compared as bits: a NaN peak must be NaN in both.
        EXPECT_EQ(std::bit_cast<std::uint64_t>(peaks[0]), std::bit_cast<std::uint64_t>(after.peak0));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(peaks[1]), std::bit_cast<std::uint64_t>(after.peak1));
    }
}

// A window of n values with a running sum, kept as the owners keep theirs: the
// clock watches Σ|v|, and every re-add settles it.
struct SettledWindow {
    SettledWindow(std::uint64_t n, std::uint64_t interval) : ring(n), clock(interval) {}

    bool push(double x) {
        if (const std::optional<double> old = ring.push(x)) {
            sum -= *old;
            magnitude -= std::fabs(*old);
        }
        sum += x;
        magnitude += std::fabs(x);
        if (!clock.tick(magnitude)) return false;
        sum = 0.0;
        magnitude = 0.0;
        ring.for_each([this](double v) {
            sum += v;
            magnitude += std::fabs(v);
        });
        clock.settle(
            ResumClock::first_leaves(ring.capacity(), ring.size()),
            [this](auto&& fn) { ring.for_each([&fn](double v) { fn(v); }); }, magnitude);
        return true;
    }

    FixedRing<double> ring;
    ResumClock clock;
    double sum = 0.0;
    double magnitude = 0.0;
};

// A NaN, an infinity or an overflow of finite terms: the sum is re-added when it
// turns so, then on the first update at which the terms held can sum finitely, and
// from then on it is the window's own sum (whole numbers, or re-added in the same
// order: exactly). Terms that keep the sum non-finite cost one re-add a window, not
// one an update.
TEST(ResumClock, NonFiniteSumComesBackAsItsTermsLeave) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr std::uint64_t kNever = ResumClock::kNoDrift;
    struct Case {
        const char* label;
        std::uint64_t interval;
        std::vector<double> values;
        std::vector<int> want;
    };
    const std::vector<Case> cases = {
        {"a NaN", kNever, {1, kNaN, 2, 3, 4, 5}, {2, 5}},
        // The re-add as the first NaN leaves finds the second, and waits for it.
        {"a second NaN", kNever, {1, kNaN, 2, kNaN, 3, 4, 5, 6}, {2, 5, 7}},
        // inf − inf as it leaves.
        // An infinite sum is re-added once as it turns so, which waits for the term.
        {"an infinity", kNever, {1, kInf, 1, 1, 1, 1}, {2, 5}},
        {"opposite infinities", kNever, {1, kInf, -kInf, 1, 1, 1, 1}, {2, 5, 6}},
        // 1e308 twice overflows, and inf − 1e308 stays infinite: the re-add on the
        // update that overflows waits for the first to leave; the fall as the second
        // leaves is one more.
        {"overflow of finite terms", kNever, {1e308, 1e308, 1, 1, 1, 1}, {2, 4, 5}},
        {"NaN on every update", kNever, std::vector<double>(12, kNaN), {1, 4, 7, 10}},
        // A NaN among huge finite terms: the fall when the block leaves is seen.
        {"NaN then a fall", kNever, {1e12, kNaN, 1e12, 1, 1, 1, 1}, {2, 5, 6}},
        // The older 1.5e308 leaves first and the window (1.5e308, 1e300, 2) sums
        // finitely: re-added then, not when the newest huge term leaves.
        {"an overflow an older term ends", kNever, {1, 1.5e308, 1.5e308, 1e300, 2, 3}, {3, 5, 6}},
        // A drift re-add finds an infinity and a huge finite term after it: the sum
        // comes back as the infinity leaves.
        {"an infinity before a huge term", 3, {1, kInf, 1e300, 2, 3, 4, 5}, {2, 3, 5, 6}},
        // The re-add as the first infinity leaves finds the second among huge finite
        // terms: the next comes as that one leaves, not as the last huge term does.
        {"infinities before huge terms", kNever, {1, kInf, kInf, 1e300, 1e300, 1e300, 2, 3}, {2, 5, 6}},
        // Three terms overflow where two do not: a failed re-add, one more as the
        // oldest leaves (which the newest refills), then past every huge term held:
        // two a window, not one an update.
        {"overflow on every update", kNever, std::vector<double>(12, 0x1.99p1022), {3, 4, 7, 8, 11, 12}},
    };
    for (const Case& c : cases) {
        SettledWindow w(3, c.interval);
        std::vector<int> fired;
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            const bool now = w.push(c.values[i]);
            if (now) fired.push_back(static_cast<int>(i + 1));
            double own = 0.0;
            w.ring.for_each([&own](double v) { own += v; });
            if (std::isfinite(own) && (std::fabs(own) < 1e12 || now)) {
                EXPECT_EQ(w.sum, own) << c.label << " update " << i + 1;
            }
        }
        EXPECT_EQ(fired, c.want) << c.label;
    }
}

}  // namespace
}  // namespace torvex
