// Running mean of the last n values: the simple-average core that many indicators
// embed.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/error.hpp"

namespace torvex {

// Running mean over a ring of n values. The sum is re-added from the ring every
// 16·n updates so rounding drift cannot accumulate, and as a value that outweighed
// the sum leaves (see ResumClock).
class SmaCore {
public:
    static std::expected<SmaCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); the mean once n values came.
    std::optional<double> step(double x) {
        if (!is_finite(x)) return std::nullopt;
        const bool outweighs = ResumClock::dwarfs(x, sum_);
        if (const std::optional<double> old = ring_.push(x)) {
            sum_ = x + (sum_ - *old);
        } else {
            sum_ = x + sum_;
        }
        if (clock_.tick(outweighs)) sum_ = sum_from_oldest(ring_);
        if (ring_.full()) return sum_ / static_cast<double>(period_);
        return std::nullopt;
    }

    std::uint64_t period() const { return period_; }
    std::uint64_t count() const { return ring_.size(); }

private:
    explicit SmaCore(std::uint64_t n) : ring_(n), period_(n), clock_(n, 16 * n) {}

    FixedRing<double> ring_;
    std::uint64_t period_;
    double sum_ = 0.0;
    ResumClock clock_;
};

}  // namespace torvex
