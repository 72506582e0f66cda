// The Chande momentum step: summed gains against summed losses over the last n
// changes of the input.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/bar.hpp"
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
    // 100·(gains − losses)/(gains + losses), or 0 when both are 0. Inline, so that
    // an owner's column loop keeps the sums in registers.
    [[gnu::always_inline]] std::optional<double> step(double x) {
        if (!is_finite(x)) return std::nullopt;
        if (!prev_) {
            prev_ = x;
            return std::nullopt;
        }
        const double d = x - *prev_;
        prev_ = x;
        if (window_.size() == period_) {
            const auto [g, l] = window_.front();
            window_.pop_front();
            sum_gain_ -= g;
            sum_loss_ -= l;
        }
        const double gain = d > 0.0 ? d : 0.0;
        const double loss = -d > 0.0 ? -d : 0.0;
        window_.push_back({gain, loss});
        sum_gain_ += gain;
        sum_loss_ += loss;
        if (clock_.tick(sum_gain_, sum_loss_)) {
            double g = -0.0;
            double l = -0.0;
            window_.for_each([&](const std::pair<double, double>& w) {
                g += w.first;
                l += w.second;
            });
            sum_gain_ = g;
            sum_loss_ = l;
            clock_.settle(
                ResumClock::first_leaves(period_, window_.size()),
                [this](auto&& fn) { window_.for_each([&fn](const std::pair<double, double>& w) { fn(w.first, w.second); }); },
                g, l);
        }
        if (window_.size() < period_) return std::nullopt;
        const double total = sum_gain_ + sum_loss_;
        const double answer = total == 0.0 ? 0.0 : 100.0 * (sum_gain_ - sum_loss_) / total;
        last_ = answer;
        return answer;
    }

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
