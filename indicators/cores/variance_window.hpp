// A window of the last n values with shifted sums: the population variance and mean
// that the deviation-based window statistics read.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/cancellation_guard.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

// The last n values with their shifted sums; the anchor moves to the window mean
// every n pushes, which keeps the variance of values far from zero accurate.
class VarianceWindow {
public:
    // Z then M on n.
    static std::expected<VarianceWindow, IndicatorError> create(std::uint64_t n);

    // No input guard (the caller tests x). Pushes x, taking the oldest out once n are
    // held; answers whether the window is full.
    bool push(double x) { return push_checked<false>(x); }

    // push, and a full window whose variance has become a rounding residue of the sums
    // is re-centred at once (see CancellationGuard): for owners whose windows turn flat
    // between two re-centrings and that must read them as exactly flat.
    bool push_exact_when_flat(double x) { return push_checked<true>(x); }

    // Meaningful once full: population variance (divisor n, clamped at 0) and mean.
    double variance() const { return sums_.population_variance(n_); }
    double mean() const { return sums_.mean(n_); }
    // Both at once, for owners that read the two (one division for the pair).
    ShiftedSums::Moments moments() const { return sums_.moments(n_); }
    // Sample variance (divisor n - 1, clamped at 0); needs n >= 2.
    double sample_variance() const { return sums_.sample_variance(n_); }

    std::uint64_t period() const { return period_; }
    std::uint64_t size() const { return window_.size(); }

private:
    explicit VarianceWindow(std::uint64_t n) : window_(n), period_(n), n_(static_cast<double>(n)), guard_(n) {}

    template <bool kGuarded>
    bool push_checked(double x) {
        if (window_.full()) [[likely]] {
            // A full window has had values: the anchor is set.
            sums_.remove(window_.replace_oldest(x));
            sums_.add_anchored(x);
        } else {
            window_.push_back(x);
            sums_.add(x);
        }
        if constexpr (kGuarded) guard_.note(sums_.s2());
        if (sums_.recenter_due(period_)) [[unlikely]] {
            recenter();
            if constexpr (kGuarded) guard_.recentred(sums_.s2());
        } else if constexpr (kGuarded) {
            if (window_.full() && guard_.cancels(sums_.s1(), sums_.s2())) [[unlikely]] {
                recenter();
                guard_.recentred_on_cancellation(sums_.s1(), sums_.s2());
            }
        }
        return window_.full();
    }

    void recenter() {
        sums_.recenter(window_.size(), [this](const auto& fn) { window_.for_each(fn); });
    }

    CappedRing<double> window_;
    ShiftedSums sums_;
    std::uint64_t period_;
    double n_;  // period_ as a double, converted once
    CancellationGuard guard_;  // read by push_exact_when_flat only
};

}  // namespace torvex
