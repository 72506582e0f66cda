// When the re-sum clock asks for a re-add: every `interval` updates on a fixed phase,
// and on the update whose magnitude has fallen below 1/1024 of the largest since the
// last re-add; a NaN sum asks once; a fall waits for the gap an owner sets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "indicators/cores/resum_clock.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

}  // namespace
}  // namespace torvex
