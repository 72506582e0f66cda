// Kaufman's adaptive moving average: the smoothing constant moves between a fast
// and a slow one with the efficiency ratio of the last n changes.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Kama final : public CloseIndicator<Kama> {
public:
    // n: efficiency period; fast must be below slow.
    static std::expected<Kama, IndicatorError> create(std::uint64_t n, std::uint64_t fast, std::uint64_t slow);

    // No input guard (the base refuses a non-finite close).
    std::optional<double> step(double close) {
        if (!advance(close)) return std::nullopt;
        return last_;
    }

    // The same step answering whether there is a value (then last_): the form the
    // hot loop uses, which passes nothing through memory.
    bool advance(double close) {
        if (closes_.full()) [[likely]] {
            changes_.replace_oldest(std::fabs(close - closes_.newest()));
            closes_.replace_oldest(close);
        } else {
            if (!closes_.empty()) changes_.push_back(std::fabs(close - closes_.newest()));
            closes_.push_back(close);
            if (!closes_.full()) return false;
        }
        // The volatility is re-added from the oldest change on every bar, the same
        // additions in the same order each time; each change is worked out once, as
        // it enters, since it is the same value whenever it is taken. The changes
        // are one contiguous run (mirrored ring), so the loop has the same length
        // on every bar and its exit is predicted. The additions form one chain, so
        // unrolling buys nothing; the plain loop stays small, which leaves room for
        // the next bars' sums to run alongside.
        double volatility = -0.0;
        const double* const changes = changes_.view().data();
#pragma GCC unroll 1
        for (std::uint64_t i = 0; i < period_; ++i) volatility += changes[i];
        const double oldest = closes_.front();
        const double er = volatility == 0.0 ? 0.0 : std::fabs(close - oldest) / volatility;
        const double sc = (fast_sc_ - slow_sc_) * er + slow_sc_;
        const double prev = has_last_ ? last_ : oldest;
        last_ = sc * sc * (close - prev) + prev;
        has_last_ = true;
        return true;
    }

    std::uint64_t warmup() const override { return period_ + 1; }

private:
    Kama(std::uint64_t n, double fast_sc, double slow_sc)
        : closes_(n + 1), changes_(n), period_(n), fast_sc_(fast_sc), slow_sc_(slow_sc) {}

    FixedRing<double> closes_;   // the last n + 1 closes
    FixedRing<double, RingLayout::Mirrored> changes_;  // |close − previous close| of the last n bars
    std::uint64_t period_;
    double fast_sc_;
    double slow_sc_;
    double last_ = 0.0;
    bool has_last_ = false;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Kama);

}  // namespace torvex
