#include "gym_core/large_buffer.hpp"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace torvex::gym {

#if defined(__linux__)
namespace {

// Gives `advice` for the whole pages within [from, to), where there are any.
void advise_whole_pages(const char* from, const char* to, int advice) {
    static const long page_size = sysconf(_SC_PAGESIZE);
    if (page_size <= 0) return;
    const auto page = static_cast<std::uintptr_t>(page_size);
    const auto first = (reinterpret_cast<std::uintptr_t>(from) + page - 1) & ~(page - 1);
    const auto last = reinterpret_cast<std::uintptr_t>(to) & ~(page - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, advice);
}

}  // namespace
#endif

void prefault_pages([[maybe_unused]] char* from, [[maybe_unused]] char* to) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    advise_whole_pages(from, to, MADV_POPULATE_WRITE);
#endif
}

void release_pages([[maybe_unused]] const char* from, [[maybe_unused]] const char* to) {
#if defined(__linux__) && defined(MADV_DONTNEED)
    advise_whole_pages(from, to, MADV_DONTNEED);
#endif
}

}  // namespace torvex::gym
