#include "gym_core/phase_team.hpp"

#include <sched.h>

namespace torvex::gym {

unsigned usable_cpus() {
    // The mask is asked for at growing sizes: a machine may have more processors than
    // the fixed set holds.
    for (int cpus = CPU_SETSIZE; cpus <= (1 << 16); cpus *= 2) {
        cpu_set_t* set = CPU_ALLOC(cpus);
        if (set == nullptr) break;
        const std::size_t bytes = CPU_ALLOC_SIZE(cpus);
        CPU_ZERO_S(bytes, set);
        const bool got = sched_getaffinity(0, bytes, set) == 0;
        const int count = got ? CPU_COUNT_S(bytes, set) : 0;
        CPU_FREE(set);
        if (got) return count > 0 ? static_cast<unsigned>(count) : 1u;
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace torvex::gym
