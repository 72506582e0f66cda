#include "indicators/cores/anchored_pair_window.hpp"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace torvex {

bool AnchoredPairWindow::push(double a, double b) {
    if (ring_.full()) {
        const Pair& old = ring_.front();
        const double da = old.a - anchor_a_;
        const double db = old.b - anchor_b_;
        sa_ -= da;
        sb_ -= db;
        saa_ -= da * da;
        sbb_ -= db * db;
        sab_ -= da * db;
    }
    ring_.push(Pair{a, b});
    if (!anchor_set_) {
        anchor_a_ = a;
        anchor_b_ = b;
        anchor_set_ = true;
    }
    const double da = a - anchor_a_;
    const double db = b - anchor_b_;
    sa_ += da;
    sb_ += db;
    saa_ += da * da;
    sbb_ += db * db;
    sab_ += da * db;
    since_anchor_ += 1;
    const bool periodic = since_anchor_ >= period_;
    if (periodic) since_anchor_ = 0;  // the periodic phase stays where it was whatever else re-anchors
    // Each component's sums are watched as the one-series shifted sums are: a huge
    // pair that has left, or a mean far from the anchor, re-anchors at once.
    const double count = static_cast<double>(ring_.size());
    const bool a_lost = watch_a_.lost(count, anchor_a_, sa_, saa_, a);
    const bool b_lost = watch_b_.lost(count, anchor_b_, sb_, sbb_, b);
    if (periodic || a_lost || b_lost) reanchor();
    return ring_.full();
}

void AnchoredPairWindow::reanchor() {
    const std::size_t n = ring_.size();
    // The mean is taken relative to the oldest pair: the differences are exact for a
    // flat window, so its mean is its value and every deviation is exactly 0.
    const Pair base = ring_.front();
    double ta = 0.0;
    double tb = 0.0;
    ring_.for_each([&](const Pair& p) {
        ta += p.a - base.a;
        tb += p.b - base.b;
    });
    // The means, held at the tame bound only where a window mixes pairs beyond it
    // with ordinary ones, as the one-series sums hold theirs (ShiftedSums::anchor_for).
    anchor_a_ = ShiftedSums::anchor_for(base.a + ta / static_cast<double>(n), n,
                                           [this](const auto& fn) { ring_.for_each([&](const Pair& p) { fn(p.a); }); });
    anchor_b_ = ShiftedSums::anchor_for(base.b + tb / static_cast<double>(n), n,
                                           [this](const auto& fn) { ring_.for_each([&](const Pair& p) { fn(p.b); }); });
    // Summed in locals: the ring's pairs could alias the members as far as the
    // compiler knows, which would store every partial sum.
    const double aa = anchor_a_;
    const double ab = anchor_b_;
    double sa = 0.0;
    double sb = 0.0;
    double saa = 0.0;
    double sbb = 0.0;
    double sab = 0.0;
    ring_.for_each([&](const Pair& p) {
        const double da = p.a - aa;
        const double db = p.b - ab;
        sa += da;
        sb += db;
        saa += da * da;
        sbb += db * db;
        sab += da * db;
    });
    std::tie(sa_, sb_, saa_, sbb_, sab_) = std::tie(sa, sb, saa, sbb, sab);
    if (DeviationWatch::wants_run(saa_) || DeviationWatch::wants_run(sbb_)) [[unlikely]] {
        FlatRun ra, rb;
        ring_.for_each([&](const Pair& p) {
            ra.push(p.a);
            rb.push(p.b);
        });
        watch_a_.restart(saa_, ra);
        watch_b_.restart(sbb_, rb);
    } else {
        watch_a_.restart(saa_);
        watch_b_.restart(sbb_);
    }
    // Sums that a pair too large to square (or not finite) has made infinite or NaN
    // stay so whatever later updates add: the next re-anchoring comes on the update at
    // which the newest such pair leaves, whether or not the window is full yet. Each
    // such re-anchoring is past every such pair at the one before, so two of them are
    // at least a window apart.
    if (!(is_finite(saa_) && is_finite(sbb_) && is_finite(sab_))) [[unlikely]] {
        const auto far_a = ShiftedSums::far_from(anchor_a_, ShiftedSums::deviation_bound<2>(n));
        const auto far_b = ShiftedSums::far_from(anchor_b_, ShiftedSums::deviation_bound<2>(n));
        const std::uint64_t next = newest_entry([this](const auto& fn) { ring_.for_each(fn); },
                                                [&](const Pair& p) { return far_a(p.a) || far_b(p.b); });
        if (next > 0) since_anchor_ = n - next;
    }
}

PairMoments AnchoredPairWindow::moments() const {
    const SumMeans s = sum_means();
    PairMoments m = moments_from(s);
    const double n = count_;
    const double qa = s.qa;
    const double qb = s.qb;
    const double mab = s.ma * s.mb;
    // Each running sum carries the rounding of up to 2n updates since the anchor moved,
    // each of at most kDwarf times the sums' present size (the watch re-anchors before
    // they fall further): a variance or covariance that has cancelled to within that
    // of its own terms is a residue, not a value, and ratios over it (a slope, a beta)
    // read it as one of order 1e17. The window then gives it again; that is O(n) on
    // such a bar only, which a window whose moments are not near 0 never meets.
    // The covariance's terms are √(qa·qb) and |ma·mb|; squared, their sum is at most
    // twice qa·qb + (ma·mb)², which spares a root per bar.
    const double tolerance = kCancelled * n;
    const bool var_cancelled = m.var_a < tolerance * qa || m.var_b < tolerance * qb;
    const bool cov_cancelled = m.cov * m.cov < (2.0 * tolerance * tolerance) * (qa * qb + mab * mab);
    if (var_cancelled || cov_cancelled) [[unlikely]] return cancelled_moments();
    return m;
}

PairMoments AnchoredPairWindow::cancelled_moments() const {
    // Deviations near 1e80 overflow the covariance test's fourth powers, and near
    // 1e-100 underflow them: it is taken again on the legs scaled to their own size
    // (exact, and the same answer wherever the plain numbers stay in range).
    const SumMeans s = sum_means();
    const PairMoments m = moments_from(s);
    const double tolerance = kCancelled * count_;
    const bool var_cancelled = m.var_a < tolerance * s.qa || m.var_b < tolerance * s.qb;  // as moments() found
    if (!var_cancelled) {
        const int ea = leg_exponent(s.qa, s.ma);
        const int eb = leg_exponent(s.qb, s.mb);
        const double c = std::ldexp(m.cov, -(ea + eb));
        const double sa = std::ldexp(s.qa, -2 * ea);
        const double sb = std::ldexp(s.qb, -2 * eb);
        const double sab = std::ldexp(s.ma, -ea) * std::ldexp(s.mb, -eb);
        if (!(c * c < (2.0 * tolerance * tolerance) * (sa * sb + sab * sab))) return m;
    }
    return window_moments();
}

PairMoments AnchoredPairWindow::window_moments() const {
    return two_pass_moments(ring_.size(), [this](std::size_t i) { return ring_[i].a; },
                            [this](std::size_t i) { return ring_[i].b; });
}

}  // namespace torvex
