// Linearly weighted moving average of the close (the oldest value weighs 1, the
// newest n) and its running-sum core, which other averages embed.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// Weighted mean over a ring of n values, kept with a weighted and a plain running
// sum; both are re-added from the ring every 16 wraps (16·n full updates), and as
// soon as the window's magnitude has fallen far below its recent size (see
// ResumClock).
class WmaCore {
public:
    // Zero length: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<WmaCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); the weighted mean once
    // n values came.
    std::optional<double> step(double x) {
        if (!advance(x)) return std::nullopt;
        return mean();
    }

    // The same step answering whether the window is full (then mean()): the form
    // the hot loops use, which passes nothing through memory. False for a refused x.
    bool advance(double x) {
        if (!is_finite(x)) return false;
        if (!ring_.full()) [[unlikely]] return fill(x);
        const double old = ring_.replace_oldest(x);
        weighted_sum_ = n_ * x + (weighted_sum_ - plain_sum_);
        plain_sum_ = x + (plain_sum_ - old);
        magnitude_ = std::fabs(x) + (magnitude_ - std::fabs(old));
        if (clock_.tick(magnitude_)) [[unlikely]] resum();
        return true;
    }

    // The weighted mean of the window; meaningful once advance answered true.
    double mean() const { return weighted_sum_ / denominator_; }

    std::uint64_t period() const { return period_; }
    std::uint64_t count() const { return ring_.size(); }

private:
    explicit WmaCore(std::uint64_t n);

    // A value while the ring fills; on the n-th the weighted sum is added up once,
    // oldest first, and the clock learns the window's size: a huge value among the
    // first n leaves soon, and its fall must be seen.
    bool fill(double x) {
        ring_.push_back(x);
        plain_sum_ = x + plain_sum_;
        magnitude_ = std::fabs(x) + magnitude_;
        if (!ring_.full()) return false;
        double w = -0.0;
        double i = 1.0;
        ring_.for_each([&](double v) {
            w += i * v;
            i += 1.0;
        });
        weighted_sum_ = w;
        settle_clock();
        return true;
    }

    // Both sums re-added from the ring, oldest first.
    void resum() {
        double w = -0.0;
        double p = -0.0;
        double i = 1.0;
        ring_.for_each([&](double v) {
            w += i * v;
            p += v;
            i += 1.0;
        });
        weighted_sum_ = w;
        plain_sum_ = p;
        magnitude_ = window_magnitude(ring_);
        settle_clock();
    }

    // After the sums were added up from the ring. The weighted sum can overflow where
    // the magnitude does not (weights up to n): a non-finite one is told to the clock
    // as a NaN size.
    void settle_clock() {
        const FixedRing<double>::Runs runs = ring_.runs();
        clock_.settle(
            ResumClock::first_leaves(period_, ring_.size()),
            [runs](auto&& fn) {
                double i = 1.0;
                for (const std::span<const double> run : {runs.first, runs.second}) {
                    for (const double v : run) {
                        fn(i * v, v);
                        i += 1.0;
                    }
                }
            },
            magnitude_ + (weighted_sum_ - weighted_sum_));
    }

    FixedRing<double> ring_;
    std::uint64_t period_;
    double n_;  // period_ as a double, converted once
    double weighted_sum_ = 0.0;
    double plain_sum_ = 0.0;
    double denominator_;  // (n + 1)·n·0.5
    double magnitude_ = 0.0;  // Σ|x| over the ring: the values may have either sign
    // Counts the full updates: the drift re-add comes every 16·n of them.
    ResumClock clock_;
};

class Wma final : public CloseIndicator<Wma> {
public:
    static std::expected<Wma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit Wma(WmaCore core) : core_(std::move(core)) {}
    WmaCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Wma);

}  // namespace torvex
