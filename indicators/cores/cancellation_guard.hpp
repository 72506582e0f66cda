// Tells when a variance read from running sums of deviations, ss/n − (s/n)², has been
// eaten by the cancellation of its two terms: the window has turned flat, or nearly so,
// away from the anchor the deviations are taken from. A flat window of 10.1s anchored
// off the grid reads a variance of about 1e-18 instead of 0, and a tight window left
// behind by a large value reads its variance with only the bits the cancellation spared.
// The owner then re-centres its sums from the window, which is exact for a flat window
// (every deviation from its own mean is 0) and accurate for a tight one.
//
// Both are judged against the largest sum of squares since the last re-centring, the
// scale at which each of the up to 2n additions and removals since then was rounded:
// the sums can be off by about n·ε times it, so a centred ss − s²/n of at most
// (4n + 8)·ε times it is a residue, and one below 2^-20 times it has lost 20 of its 53
// bits. A fresh re-centring on the mean gives a centred sum close to the sum of squares,
// and the next one needs the window to turn that much tighter again away from the new
// anchor, which takes the values that set the scale leaving: the re-centrings stay O(1)
// amortised. Where even fresh sums cancel (values so small that their squares lose their
// bits) the guard stays quiet until the owner's next scheduled re-centring.
#pragma once

#include <algorithm>
#include <cstdint>

namespace torvex {

class CancellationGuard {
public:
    // n: the window length, at least 1.
    explicit CancellationGuard(std::uint64_t n)
        : n_(static_cast<double>(n)), tolerance_(std::max((4.0 * static_cast<double>(n) + 8.0) * 0x1p-52, 0x1p-20)) {}

    // After each addition to the sum of squares.
    void note(double ss) { peak_ = std::max(peak_, ss); }

    // Whether the centred sum of squares of a full window's sums (s, ss) has cancelled
    // away. A sum of squares of exactly 0 is no cancellation: the window is flat and exact.
    bool cancels(double s, double ss) const {
        return !quiet_ && ss != 0.0 && ss - s * s / n_ <= tolerance_ * peak_;
    }

    // After a re-centring the owner made on its own schedule, with the fresh sum of squares.
    void recentred(double ss) {
        peak_ = ss;
        quiet_ = false;
    }

    // After a re-centring that cancels() asked for, with the fresh sums.
    void recentred_on_cancellation(double s, double ss) {
        recentred(ss);
        quiet_ = cancels(s, ss);
    }

private:
    double n_;
    double tolerance_;
    double peak_ = 0.0;
    bool quiet_ = false;
};

}  // namespace torvex
