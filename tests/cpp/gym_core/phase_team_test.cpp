// The team size follows the processors the process may run on, not the machine's count.
#include <gtest/gtest.h>

#include <sched.h>

#include <vector>

#include "gym_core/phase_team.hpp"

namespace torvex::gym {
namespace {

TEST(UsableCpus, FollowsTheAffinityMask) {
    cpu_set_t original;
    CPU_ZERO(&original);
    ASSERT_EQ(sched_getaffinity(0, sizeof original, &original), 0);
    std::vector<int> allowed;
    for (int c = 0; c < CPU_SETSIZE; ++c)
        if (CPU_ISSET(c, &original)) allowed.push_back(c);
    ASSERT_FALSE(allowed.empty());
    EXPECT_EQ(usable_cpus(), allowed.size());

    // Masks of one processor, of two, and of every allowed one but the first.
    std::vector<std::vector<int>> masks = {{allowed[0]}};
    if (allowed.size() >= 2) masks.push_back({allowed[0], allowed[1]});
    if (allowed.size() >= 3) masks.emplace_back(allowed.begin() + 1, allowed.end());
    for (const std::vector<int>& mask : masks) {
        cpu_set_t set;
        CPU_ZERO(&set);
        for (const int c : mask) CPU_SET(c, &set);
        ASSERT_EQ(sched_setaffinity(0, sizeof set, &set), 0);
        EXPECT_EQ(usable_cpus(), mask.size());
    }
    ASSERT_EQ(sched_setaffinity(0, sizeof original, &original), 0);
    EXPECT_EQ(usable_cpus(), allowed.size());
}

}  // namespace
}  // namespace torvex::gym
