// A team of threads that walks a sequence of phases together.
#pragma once

#include <algorithm>
#include <atomic>
#include <barrier>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include <pthread.h>

namespace torvex::gym {

// The processors this process may run on (its affinity mask, as a process pinned to
// one core sees it), at least 1: a team larger than that only makes its members take
// turns.
unsigned usable_cpus();

// A team of threads (the caller's among them) that all walk the same sequence of
// phases. A phase hands its items out to whichever member asks next, and no member
// starts the next phase before every item of this one is done. The first exception an
// item throws ends the work (later items are skipped, the phases still run to their
// end) and is thrown again by `run` once the team has finished.
class PhaseTeam {
public:
    explicit PhaseTeam(unsigned members) : members_(std::max(1u, members)), sync_(members_, Reset{this}) {}

    // Calls body(*this) on every member; the body calls `phase` the same number of
    // times on each.
    template <class Body>
    void run(const Body& body) {
        auto member = [&] {
            try {
                body(*this);
            } catch (...) {
                // Only a phase's own bookkeeping reaches here, and it does not throw.
                std::terminate();
            }
        };
        using Member = decltype(member);
        // The members' stacks are small: the work is flat loops, and the default
        // stacks would reserve (and the C library keep, after the threads end) several
        // megabytes of address space each.
        pthread_attr_t attr;
        const bool attr_ok = pthread_attr_init(&attr) == 0;
        if (attr_ok) pthread_attr_setstacksize(&attr, kStackBytes);
        std::vector<pthread_t> pool;
        try {
            pool.reserve(members_ - 1);
        } catch (...) {
            // No room even for the list: this thread does the work alone.
        }
        for (unsigned m = 1; m < members_ && pool.size() < pool.capacity(); ++m) {
            pthread_t t;
            const auto start = [](void* p) -> void* {
                (*static_cast<Member*>(p))();
                return nullptr;
            };
            if (pthread_create(&t, attr_ok ? &attr : nullptr, start, &member) != 0) break;
            pool.push_back(t);
        }
        if (attr_ok) pthread_attr_destroy(&attr);
        // Members that could not start leave the team; those running finish the work.
        for (std::size_t missing = pool.size() + 1; missing < members_; ++missing) sync_.arrive_and_drop();
        member();
        for (const pthread_t t : pool) pthread_join(t, nullptr);
        if (failure_) std::rethrow_exception(failure_);
    }

    // One phase of `count` items, work(i) for each.
    template <class Work>
    void phase(std::size_t count, const Work& work) {
        for (std::size_t i; !failed_.load(std::memory_order_relaxed) && (i = next_.fetch_add(1)) < count;) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard<std::mutex> hold(failure_lock_);
                if (!failure_) failure_ = std::current_exception();
                failed_.store(true);
            }
        }
        sync_.arrive_and_wait();
    }

private:
    static constexpr std::size_t kStackBytes = std::size_t{1} << 20;

    struct Reset {
        PhaseTeam* team;
        void operator()() noexcept { team->next_.store(0, std::memory_order_relaxed); }
    };

    unsigned members_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> failed_{false};
    std::barrier<Reset> sync_;
    std::mutex failure_lock_;
    std::exception_ptr failure_;
};

}  // namespace torvex::gym
