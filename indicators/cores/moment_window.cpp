#include "indicators/cores/moment_window.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

bool MomentWindow::push(double x) {
    double count = n_;
    if (window_.size() == period_) [[likely]] {
        const double d = window_.replace_oldest(x) - shift_;
        const double d2 = d * d;
        s1_ = s1_ - d;
        s2_ = s2_ - d2;
        s3_ = s3_ - d2 * d;
        s4_ = s4_ - d2 * d2;
    } else {
        window_.push_back(x);
        count = static_cast<double>(window_.size());
    }
    run_.push(x);
    if (!shift_set_) {
        shift_ = x;
        shift_set_ = true;
    }
    const double d = x - shift_;
    const double d2 = d * d;
    s1_ = s1_ + d;
    s2_ = s2_ + d2;
    s3_ = s3_ + d2 * d;
    s4_ = s4_ + d2 * d2;
    since_recenter_ += 1;
    const bool periodic = since_recenter_ >= period_;
    // The usual update ends at the periodic count, the watch's one comparison and a
    // finite Σd⁴; the rest is out of line.
    const bool steady = watch_.steady(count, s1_, s2_);
    if (!steady || periodic || !(s4_ <= std::numeric_limits<double>::max())) [[unlikely]] settle(periodic, !steady, x);
    return window_.size() == period_;
}

void MomentWindow::settle(bool periodic, bool ask, double x) {
    const bool lost = ask && watch_.asked(static_cast<double>(window_.size()), shift_, s1_, s2_, x);
    // A fourth power that overflowed (a value far from an anchor that a window of
    // values beyond the tame bound set) asks once, as the watch asks for Σd².
    const bool overflowed = !(s4_ <= std::numeric_limits<double>::max()) && !waiting_;
    if (lost || periodic || overflowed) recenter(periodic);
}

void MomentWindow::recenter(bool periodic) {
    const auto values = [this](const auto& fn) { window_.for_each(fn); };
    // The mean, held at the tame bound only where the window mixes values far beyond
    // it with ordinary ones (see ShiftedSums::anchor_for). Higher powers of a window
    // whose deviations pass some 1e77 overflow about any anchor: the sums of the
    // lower ones stay right, and the higher ones wait for such values to leave.
    const double m = ShiftedSums::anchor_for(window_mean(window_.size(), values), window_.size(), values);
    double s1 = 0.0;
    double s2 = 0.0;
    double s3 = 0.0;
    double s4 = 0.0;
    window_.for_each([&](double v) {
        const double d = v - m;
        const double d2 = d * d;
        s1 += d;
        s2 += d2;
        s3 += d2 * d;
        s4 += d2 * d2;
    });
    shift_ = m;
    s1_ = s1;
    s2_ = s2;
    s3_ = s3;
    s4_ = s4;
    // The run of equal values that ends the window is the one pushed.
    watch_.restart(s2, run_);
    // The periodic phase stays where it was whatever else re-centres.
    if (periodic) since_recenter_ = 0;
    // Sums that a value far from the anchor made infinite or NaN stay so, whatever
    // leaves: the next re-centring comes as the newest value leaves whose deviation
    // can overflow the lowest power whose sum is not finite. (A window whose
    // deviations pass some 1e77 keeps the fourth powers infinite: it re-centres once
    // a window, and the lower sums are right in between.)
    waiting_ = !(is_finite(s1) && is_finite(s2) && is_finite(s3) && is_finite(s4));
    if (waiting_) {
        const std::uint64_t n = window_.size();
        const double bound = !(is_finite(s1) && is_finite(s2)) ? ShiftedSums::deviation_bound<2>(n)
                             : !is_finite(s3)                  ? ShiftedSums::deviation_bound<3>(n)
                                                               : ShiftedSums::deviation_bound<4>(n);
        const std::uint64_t next = newest_entry(values, ShiftedSums::far_from(m, bound));
        if (next > 0) since_recenter_ = n - next;
    }
}

}  // namespace torvex
