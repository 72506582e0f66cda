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

// Least-squares fit of the window against its positions, kept with shifted sums
// Σ(y − shift) and Σ i·(y − shift) re-centred on the window mean every n updates.
class LinRegCore {
public:
    // n below 2: InvalidPeriod "linear regression needs period >= 2"; above
    // MAX_PERIOD: InvalidPeriod. Owners that answer ZeroPeriod for 0 test it first.
    static std::expected<LinRegCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite y (no value, nothing changed); once n values came, the
    // line's value at the newest position. In the header, so that the owners' column
    // loops step it inline.
    std::optional<double> step(double y) {
        if (!is_finite(y)) return std::nullopt;
        if (window_.size() == period_) {
            const double o = window_.front();
            window_.pop_front();
            // Every remaining position drops by one: subtract the old Σ(y − shift)
            // less the leaving deviation.
            const double d_o = o - sums_.shift();
            sxy_ = d_o + (sxy_ - sums_.s1());
            sums_.remove(o);
        }
        const double i = static_cast<double>(window_.size());
        window_.push_back(y);
        const double d = sums_.add(y);
        sxy_ = i * d + sxy_;
        if (sums_.recenter_due(period_, window_.size())) [[unlikely]] {
            sums_.recenter(window_.size(), [this](auto&& fn) { window_.for_each(fn); });
            double sxy = 0.0;
            double pos = 0.0;
            window_.for_each([&](double v) {
                sxy += pos * (v - sums_.shift());
                pos += 1.0;
            });
            sxy_ = sxy;
        }
        if (window_.size() < period_) return std::nullopt;
        return (pos_.n - 1.0) * slope() + intercept();
    }

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
    explicit LinRegCore(std::uint64_t n) : window_(n), period_(n), pos_(PositionSums::of(n)) {}

    FixedRing<double> window_;
    ShiftedSums sums_;   // s1 is Σ(y − shift)
    double sxy_ = 0.0;   // Σ i·(y − shift)
    std::uint64_t period_;
    PositionSums pos_;
};

}  // namespace torvex
