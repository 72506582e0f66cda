#include "indicators/cores/anchored_pair_window.hpp"

#include <algorithm>

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
    pushes_ += 1;
    if (ResumClock::dwarfs(da * da, saa_) || ResumClock::dwarfs(db * db, sbb_)) outweighed_at_ = pushes_;
    sa_ += da;
    sb_ += db;
    saa_ += da * da;
    sbb_ += db * db;
    sab_ += da * db;
    guard_a_.note(saa_);
    guard_b_.note(sbb_);
    since_anchor_ += 1;
    // While the window first fills any pair dwarfs the sums: only later ones count.
    const bool huge_left = outweighed_at_ > period_ && pushes_ == outweighed_at_ + period_;
    if (since_anchor_ >= period_ || huge_left) {
        if (since_anchor_ >= period_) since_anchor_ = 0;  // else the periodic phase stays
        reanchor();
        guard_a_.recentred(saa_);
        guard_b_.recentred(sbb_);
    } else if (ring_.full() && (guard_a_.cancels(sa_, saa_) || guard_b_.cancels(sb_, sbb_))) [[unlikely]] {
        reanchor();  // the periodic phase stays where it was
        guard_a_.recentred_on_cancellation(sa_, saa_);
        guard_b_.recentred_on_cancellation(sb_, sbb_);
    }
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
    anchor_a_ = base.a + ta / static_cast<double>(n);
    anchor_b_ = base.b + tb / static_cast<double>(n);
    sa_ = sb_ = saa_ = sbb_ = sab_ = 0.0;
    ring_.for_each([&](const Pair& p) {
        const double da = p.a - anchor_a_;
        const double db = p.b - anchor_b_;
        sa_ += da;
        sb_ += db;
        saa_ += da * da;
        sbb_ += db * db;
        sab_ += da * db;
    });
}

PairMoments AnchoredPairWindow::moments() const {
    const double n = static_cast<double>(period_);
    const double ma = sa_ / n;
    const double mb = sb_ / n;
    PairMoments m{};
    m.mean_a = anchor_a_ + ma;
    m.mean_b = anchor_b_ + mb;
    m.var_a = std::max(saa_ / n - ma * ma, 0.0);
    m.var_b = std::max(sbb_ / n - mb * mb, 0.0);
    m.cov = sab_ / n - ma * mb;
    return m;
}

}  // namespace torvex
