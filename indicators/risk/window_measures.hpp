// Helpers shared by the rolling risk and performance measures: their length checks,
// the base of the measures recomputed from the whole window on every bar, and the
// walks over a window that several of them make.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>


#include "indicators/indicator.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/cores/value_ring.hpp"

namespace torvex {

// The larger and the smaller of two values where a NaN loses to a number (as
// fmax and fmin), written out so that the window scans keep them inline.
inline double max_num(double a, double b) { return (a >= b || b != b) ? a : b; }
inline double min_num(double a, double b) { return (a <= b || b != b) ? a : b; }

// A minimum length with its own text (which also catches 0), then MAX_PERIOD.
constexpr Checked check_min_period(std::uint64_t n, std::uint64_t min, std::string_view message) {
    if (n < min) return std::unexpected(IndicatorError::invalid_period(message));
    return check_max_period(n);
}

// A confidence level must be finite and strictly between 0 and 1.
constexpr Checked check_confidence(double c) {
    if (!(c > 0.0 && c < 1.0)) {
        return std::unexpected(IndicatorError::invalid_period("confidence must lie strictly between 0 and 1"));
    }
    return {};
}

// Base of the measures that keep the last n closes and recompute their answer from
// the whole window once it is full. `Derived` supplies
//   double evaluate(const ValueRing& window) const;   // full, oldest first
template <class Derived>
class WindowScan : public CloseIndicator<Derived> {
public:
    std::optional<double> step(double close) {
        window_.push(close);
        if (!window_.full()) return std::nullopt;
        return static_cast<const Derived*>(this)->evaluate(window_);
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

protected:
    explicit WindowScan(std::uint64_t n) : window_(n) {}
    std::uint64_t period() const { return window_.capacity(); }

private:
    ValueRing window_;
};

// The last n returns with their running sum, the running total of their losses
// (−v over the negative v) and the count of those losses. Both sums are re-added
// from the window (from −0.0, oldest first) every n updates and when either has
// fallen far below its recent size (see ResumClock): a huge value leaving would
// otherwise wipe out the small ones that stay.
class ReturnWindow {
public:
    explicit ReturnWindow(std::uint64_t n) : window_(n), clock_(n) {}

    // Appends x (the owner refuses non-finite values), the oldest leaving first
    // once n are held; answers whether n values are held.
    bool push(double x) {
        if (const auto old = window_.push(x)) {
            sum_ = sum_ - *old;
            magnitude_ = magnitude_ - std::fabs(*old);
            if (*old < 0.0) {
                loss_total_ = loss_total_ - (-*old);
                losses_ -= 1;
            }
        }
        sum_ = sum_ + x;
        magnitude_ = magnitude_ + std::fabs(x);
        if (x < 0.0) {
            loss_total_ = loss_total_ + (-x);
            losses_ += 1;
        }
        // A window without losses has a loss total of exactly nothing, whatever the
        // losses that left it rounded on their way (the value a re-add gives).
        if (losses_ == 0) loss_total_ = -0.0;
        // Returns have either sign: the sums are watched through their magnitudes.
        if (clock_.tick(magnitude_)) {
            sum_ = -0.0;
            loss_total_ = -0.0;
            magnitude_ = 0.0;
            window_.for_each([this](double v) {
                sum_ += v;
                magnitude_ += std::fabs(v);
                if (v < 0.0) loss_total_ += -v;
            });
            settle_window(clock_, window_, window_.capacity(), magnitude_);
        }
        return window_.full();
    }

    double sum() const { return sum_; }
    double loss_total() const { return loss_total_; }
    std::uint64_t losses() const { return losses_; }
    std::uint64_t period() const { return window_.capacity(); }
    const ValueRing& values() const { return window_; }

private:
    ValueRing window_;
    double sum_ = 0.0;
    ResumClock clock_;
    double magnitude_ = 0.0;  // Σ|v| over the window
    double loss_total_ = 0.0;
    std::uint64_t losses_ = 0;
};

// gains / losses, with the fixed answers of a window without losses: 1.0 when it
// has no gains either, +infinity otherwise.
inline double gains_over_losses(double gains, double losses) {
    if (losses == 0.0) return gains == 0.0 ? 1.0 : std::numeric_limits<double>::infinity();
    return gains / losses;
}

// Walks the equity path of a window of returns (equity from 1.0, multiplied by
// r + 1 at each return, the peak from 1.0) and hands the depth (peak − trough)/peak
// of every drawdown episode, closed or still open at the end, to `on_episode`.
// Answers the sum of the returns, added from 0.0 oldest first.
template <class OnEpisode>
double walk_drawdown_episodes(const ValueRing& returns, OnEpisode&& on_episode) {
    double equity = 1.0;
    double peak = 1.0;
    double trough = std::numeric_limits<double>::infinity();
    bool open = false;
    double sum = 0.0;
    for (double r : returns) {
        sum = sum + r;
        equity = equity * (r + 1.0);
        if (equity >= peak) {
            if (open) on_episode((peak - trough) / peak);
            peak = equity;
            open = false;
        } else {
            trough = open ? min_num(trough, equity) : equity;
            open = true;
        }
    }
    if (open) on_episode((peak - trough) / peak);
    return sum;
}

// Walks a window of levels with the running peak from −infinity and hands the
// fractional drop (peak − v)/peak of every value to `on_drop` while the peak is
// above zero (values under a peak of 0 or below are skipped).
template <class OnDrop>
void for_each_drop_from_peak(const ValueRing& levels, OnDrop&& on_drop) {
    double peak = -std::numeric_limits<double>::infinity();
    for (double v : levels) {
        peak = max_num(v, peak);
        if (peak > 0.0) on_drop((peak - v) / peak);
    }
}

}  // namespace torvex
