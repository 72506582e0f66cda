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

namespace torvex::gym {

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
        const auto member = [&] {
            try {
                body(*this);
            } catch (...) {
                // Only a phase's own bookkeeping reaches here, and it does not throw.
                std::terminate();
            }
        };
        std::vector<std::thread> pool;
        unsigned started = 0;
        try {
            pool.reserve(members_ - 1);
            for (; started + 1 < members_; ++started) pool.emplace_back(member);
        } catch (...) {
            // Fewer threads than asked for: the missing members leave the team, and
            // those running finish the work.
        }
        for (unsigned missing = started + 1; missing < members_; ++missing) sync_.arrive_and_drop();
        member();
        for (std::thread& t : pool) t.join();
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
