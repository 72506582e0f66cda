// The Chande momentum step: summed gains against summed losses over the last n
// changes of the input.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/error.hpp"

namespace torvex {

class CmoCore {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<CmoCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed). The first accepted value
    // only primes the previous one; from the (n + 1)-th on, answers
    // 100·(gains − losses)/(gains + losses), or 0 when both are 0.
    std::optional<double> step(double x);

    std::optional<double> last() const { return last_; }
    std::uint64_t period() const { return period_; }

private:
    explicit CmoCore(std::uint64_t n) : window_(n), period_(n), clock_(16 * n) {}

    std::optional<double> prev_;
    std::optional<double> last_;
    FixedRing<std::pair<double, double>> window_;  // (gain, loss), oldest first
    std::uint64_t period_;
    double sum_gain_ = 0.0;
    double sum_loss_ = 0.0;
    // The sums are tested for exactly zero, so they are re-added from the window
    // every 16·n changes: a large move that has left must not leave a residue.
    ResumClock clock_;
};

}  // namespace torvex
