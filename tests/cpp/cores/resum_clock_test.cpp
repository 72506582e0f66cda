// When the re-sum clock asks for a re-add: every `interval` updates on a fixed phase,
// and on the update whose magnitude has fallen below 1/1024 of the largest since the
// last re-add; a NaN sum asks once; a fall waits for the gap an owner sets; a sum
// still not finite after a re-add is re-added as its newest wild term leaves.
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
// never; gaps from none to longer than a run.
constexpr double kPool[] = {0.0, 1.0, 3.0, 1e3, 1e6, 1e12, 1e300, kNaN};
constexpr std::uint64_t kIntervals[] = {0, 1, 2, 7, 64, ResumClock::kNoDrift};
constexpr std::uint64_t kGaps[] = {0, 1, 3, 14, 100, 100000};

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
        std::uint64_t gap;
        std::vector<double> magnitudes;
        std::vector<int> want;
    };
    const std::vector<Case> cases = {
        {"drift only", 4, 0, {5, 5, 5, 5, 5, 5, 5, 5, 5}, {4, 8}},
        // 1e12 in the sum, then a window of small values: the update that takes it out.
        {"a fall", 100, 0, {1, 1e12, 1e12, 1e12, 3, 3, 3}, {5}},
        // A fall of exactly 1024 times is not yet one; a little more is.
        {"the threshold", 100, 0, {1024, 1, 1024, 0.99}, {4}},
        // A fall re-add does not move the drift schedule.
        {"fall between drift re-adds", 4, 0, {1, 1e12, 2, 2, 2, 2, 2, 2}, {3, 4, 8}},
        // A second fall inside the gap waits for it, and is not forgotten.
        {"gap", 100, 3, {1e12, 1, 1e12, 1, 1, 1, 1}, {2, 6}},
        // A drift re-add first, while the huge value is still held: its fall still counts.
        {"drift before the fall", 4, 0, {1, 1, 1e12, 1e12, 1e12, 5}, {4, 6}},
        // NaN (opposite infinities met) asks once, not on every update while it lasts.
        {"NaN once", 100, 0, {1, kNaN, kNaN, kNaN, 1}, {2}},
        // All zeros: no fall from a peak of zero.
        {"zeros", 100, 0, {0, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fires(ResumClock(c.interval, c.gap), c.magnitudes), c.want) << c.label;
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
    TwoCounterClock(std::uint64_t interval, std::uint64_t fall_gap)
        : interval_(interval > 0 ? interval : 1), fall_gap_(fall_gap) {}

    bool tick(double m) {
        since_ += 1;
        since_fall_ += 1;
        const bool periodic = since_ >= interval_;
        peak_ = m > peak_ ? m : peak_;
        const bool fell = !(ResumClock::kDwarf * m >= peak_) && peak_ == peak_;
        if ((fell && since_fall_ > fall_gap_) || periodic) {
            if (periodic) {
                since_ = 0;
            } else {
                since_fall_ = 0;
            }
            peak_ = m;
            return true;
        }
        return false;
    }

private:
    std::uint64_t interval_, fall_gap_;
    std::uint64_t since_ = 0, since_fall_ = UINT64_MAX / 2;
    double peak_ = 0.0;
};

// The one-counter clock fires on exactly the updates the two-counter clock did, over
// magnitudes that rise and collapse, NaN among them, for intervals from every update
// to never and gaps from none to longer than the run.
TEST(ResumClock, OneCounterFiresAsTwoCountersDid) {
    std::mt19937_64 rng(7);
    for (const std::uint64_t interval : kIntervals) {
        for (const std::uint64_t gap : kGaps) {
            ResumClock clock(interval, gap);
            TwoCounterClock reference(interval, gap);
            for (int i = 0; i < 20000; ++i) {
                const double m = kPool[rng() % std::size(kPool)] * (rng() % 2 == 0 ? 1.0 : 0.5);
                ASSERT_EQ(clock.tick(m), reference.tick(m)) << "interval " << interval << " gap " << gap << " update " << i;
            }
        }
    }
}

// A clock of two sums stepped through its state with the magnitudes and peaks as
// vector lanes fires on exactly the updates tick(a, b) does, and leaves the same
// state, over magnitudes that rise and collapse in either sum alone or both, NaN
// among them, for every interval and gap.
TEST(ResumClock, LanesTickAsTheTwoSumTick) {
    std::mt19937_64 rng(11);
    for (const std::uint64_t interval : kIntervals) {
        for (const std::uint64_t gap : kGaps) {
            ResumClock clock(interval, gap);
            ResumClock::State lanes = clock.state();
            ResumClock::Lanes2 peaks = {lanes.peak0, lanes.peak1};
            for (int i = 0; i < 20000; ++i) {
                constexpr double kLanePool[] = {0.0, 1.0, 3.0, 1e6, 1e300, kNaN, std::numeric_limits<double>::infinity()};
                const double a = kLanePool[rng() % std::size(kLanePool)] * (rng() % 2 == 0 ? 1.0 : 0.5);
                const double b = rng() % 3 == 0 ? a : kLanePool[rng() % std::size(kLanePool)];
                const bool fired = ResumClock::tick_lanes(lanes, peaks, ResumClock::Lanes2{a, b});
                ASSERT_EQ(fired, clock.tick(a, b)) << "interval " << interval << " gap " << gap << " update " << i;
            }
            const ResumClock::State after = clock.state();
            EXPECT_EQ(lanes.now, after.now);
            EXPECT_EQ(lanes.due, after.due);
            EXPECT_EQ(lanes.fall_after, after.fall_after);
            // Peaks compared as bits: a NaN peak must be NaN in both.
            EXPECT_EQ(std::bit_cast<std::uint64_t>(peaks[0]), std::bit_cast<std::uint64_t>(after.peak0));
            EXPECT_EQ(std::bit_cast<std::uint64_t>(peaks[1]), std::bit_cast<std::uint64_t>(after.peak1));
        }
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
// turns NaN (or on the drift re-add) and then exactly on the update the newest term
// that can keep it non-finite leaves, and after that it is the window's own sum
// (whole numbers, so exactly). Terms that keep coming cost one re-add a window, not
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
        // update that overflows finds the second 1e308 and waits for it to leave
        // (before, only the next drift re-add found it).
        {"overflow of finite terms", kNever, {1e308, 1e308, 1, 1, 1, 1}, {2, 5}},
        {"NaN on every update", kNever, std::vector<double>(12, kNaN), {1, 4, 7, 10}},
        // A NaN among huge finite terms: the fall when the block leaves is seen.
        {"NaN then a fall", kNever, {1e12, kNaN, 1e12, 1, 1, 1, 1}, {2, 5, 6}},
    };
    for (const Case& c : cases) {
        SettledWindow w(3, c.interval);
        std::vector<int> fired;
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            if (w.push(c.values[i])) fired.push_back(static_cast<int>(i + 1));
            double own = 0.0;
            w.ring.for_each([&own](double v) { own += v; });
            if (std::isfinite(own) && std::fabs(own) < 1e12) {
                EXPECT_EQ(w.sum, own) << c.label << " update " << i + 1;
            }
        }
        EXPECT_EQ(fired, c.want) << c.label;
    }
}

}  // namespace
}  // namespace torvex
