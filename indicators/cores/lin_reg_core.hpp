// Rolling least-squares line over the last n values, and the position sums that
// every regression over positions 0 (oldest) to n - 1 (newest) shares.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

// Sums over the positions 0..n-1, in f64 (the integer products would overflow
// for long windows).
struct PositionSums {
    double n;       // the window length as f64
    double sum_x;   // Σi = 0.5·((n − 1)·n)
    double sum_x2;  // Σi² = ((2n − 1)·((n − 1)·n)) / 6
    double denom;   // n·Σi² − Σi·Σi

    static PositionSums of(std::uint64_t n);
};

// Slope and value at position 0 of the least-squares line through (i, y_i - centre),
// the window visited oldest first (position 0) by `for_each`; the window holds pos.n
// values.
struct LineFit {
    double slope;
    double intercept;
};

template <class Window>
LineFit fit_about(const Window& window, double centre, const PositionSums& pos) {
    double d = 0.0;  // Σ (y - centre)
    double p = 0.0;  // Σ i·(y - centre)
    double i = 0.0;
    window.for_each([&](double y) {
        const double dev = y - centre;
        d += dev;
        p += i * dev;
        i += 1.0;
    });
    const double slope = (p * pos.n - d * pos.sum_x) / pos.denom;
    return LineFit{slope, (d - slope * pos.sum_x) / pos.n};
}

// The sums Σ(v − m), Σ(v − m)² and Σ i·(v − m) about m, each re-added from 0.0 over
// the window oldest first (i from 0).
struct LineSums {
    double s1;
    double s2;
    double sxy;
};
inline LineSums line_sums_about(FixedRing<double>::Runs window, double m) {
    LineSums r{0.0, 0.0, 0.0};
    double pos = 0.0;
    const auto add = [&](double v) {
        const double d = v - m;
        r.s1 += d;
        r.s2 += d * d;
        r.sxy += pos * d;
        pos += 1.0;
    };
    for (double v : window.first) add(v);
    for (double v : window.second) add(v);
    return r;
}

// Least-squares fit of the window against its positions, kept with shifted sums
// Σ(y − shift) and Σ i·(y − shift) re-centred on the window mean every n updates.
class LinRegCore {
public:
    // n below 2: InvalidPeriod "linear regression needs period >= 2"; above
    // MAX_PERIOD: InvalidPeriod. Owners that answer ZeroPeriod for 0 test it first.
    static std::expected<LinRegCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite y (no value, nothing changed); once n values came, the
    // line's value at the newest position. Inlined whole into the owners' column loops,
    // re-centring included: a call would clobber every vector register and push the
    // sums out to memory for the whole loop.
    [[gnu::always_inline]] std::optional<double> step(double y) {
        if (!advance(y)) return std::nullopt;
        return value();
    }

    // The same step answering whether the window is full (then slope(), intercept()
    // and value()): an owner works out only what it reads of the line.
    [[gnu::always_inline]] bool advance(double y) {
        if (!is_finite(y)) return false;
        if (!window_.full()) [[unlikely]] return fill(y);
        // y takes the leaving value's slot. Every remaining position drops by one:
        // subtract the old Σ(y − shift) less the leaving deviation.
        const double o = window_.replace_oldest(y);
        const double d_o = o - sums_.shift();
        sxy_ = d_o + (sxy_ - sums_.s1());
        sums_.remove(o);
        follow_period(y);
        const double d = sums_.add_anchored(y);
        sxy_ = (pos_.n - 1.0) * d + sxy_;
        if (sums_.recenter_due_at(period_, pos_.n)) [[unlikely]] recenter();
        return true;
    }

    // The line's value at the newest position.
    double value() const { return (pos_.n - 1.0) * slope() + intercept(); }

    // Slope and intercept (value at position 0) of the current fit; meaningful
    // once the window is full.
    double slope() const { return (pos_.n * sxy_ - pos_.sum_x * sums_.s1()) / pos_.denom; }
    double intercept() const { return sums_.shift() + (sums_.s1() - pos_.sum_x * slope()) / pos_.n; }

    std::uint64_t period() const { return period_; }
    const PositionSums& positions() const { return pos_; }
    const FixedRing<double>& window() const { return window_; }
    // Σ(y − shift) and Σ(y − shift)² about the current anchor.
    const ShiftedSums& sums() const { return sums_; }

private:
    // The step while the window fills (the first n values).
    [[gnu::always_inline]] bool fill(double y) {
        const double i = static_cast<double>(window_.size());
        window_.push_back(y);
        follow_period(y);
        const double d = sums_.add(y);
        sxy_ = i * d + sxy_;
        if (sums_.recenter_due(period_, window_.size())) recenter();
        return window_.full();
    }

    // The mean of the window that the next periodic re-centring sees (the n values
    // from the one that starts the period on), taken as the values come, exactly as
    // window_mean takes it from the oldest.
    void follow_period(double y) {
        const bool starts = sums_.since_recenter() == 0;
        base_ = starts ? y : base_;
        relative_ = (starts ? 0.0 : relative_) + (y - base_);
    }

    // Moves the anchor to the window mean and re-adds the three sums about it. A
    // periodic re-centring (the clock is back at 0) sees exactly the period's values,
    // whose mean relative to the first is already summed.
    void recenter() {
        const auto runs = window_.runs();
        double m = base_ + relative_ / pos_.n;
        if (sums_.since_recenter() != 0 || !is_finite(m)) {
            m = window_mean(window_.size(), [&](auto&& fn) { window_.for_each(fn); });
        }
        const LineSums r = line_sums_about(runs, m);
        sums_.take_recentered(m, r.s1, r.s2);
        sxy_ = r.sxy;
    }

    explicit LinRegCore(std::uint64_t n) : window_(n), period_(n), pos_(PositionSums::of(n)) {}

    FixedRing<double> window_;
    ShiftedSums sums_;   // s1 is Σ(y − shift)
    double sxy_ = 0.0;   // Σ i·(y − shift)
    double base_ = 0.0;      // the first value of the current re-centring period
    double relative_ = 0.0;  // Σ(y − base_) over the period so far, from 0.0
    std::uint64_t period_;
    PositionSums pos_;
};

}  // namespace torvex
