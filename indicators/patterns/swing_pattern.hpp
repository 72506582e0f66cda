// The shape shared by the chart and harmonic pattern detectors: one swing tracker
// (reversal 0.05) that keeps the K pivots a pattern needs, no value until K pivots
// exist, then 0.0 on every bar except one that confirms a pivot, where the
// pattern's rule judges the newest K pivots (+1.0 bullish, -1.0 bearish, 0.0 none).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "indicators/cores/swing_tracker.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// `Derived` supplies `static double judge(std::span<const Pivot> newest_k)`.
template <class Derived, std::size_t K>
class SwingPattern : public CandleIndicator<Derived> {
public:
    std::optional<double> step(const Ohlcv& c) {
        const bool confirmed = tracker_.step(c.high, c.low);
        if (tracker_.size() < K) return std::nullopt;
        if (!confirmed) return 0.0;
        return Derived::judge(tracker_.pivots());
    }

    std::uint64_t warmup() const override { return K + 1; }

private:
    SwingTracker tracker_{0.05, K};
};

// A pattern that completes at a low is bullish, one that completes at a high bearish.
inline double completion_sign(std::span<const Pivot> p) { return p.back().direction < 0.0 ? 1.0 : -1.0; }

// A closed window lower <= x <= upper; NaN and infinite ratios fail it.
struct RatioWindow {
    double lower;
    double upper;
    bool holds(double x) const { return lower <= x && x <= upper; }
};

// |a / b|: the ratio of two signed legs.
inline double leg_ratio(double a, double b) { return std::fabs(a / b); }

// The ratio windows of a five-point harmonic pattern X, A, B, C, D.
struct HarmonicWindows {
    RatioWindow ab_xa;
    RatioWindow bc_ab;
    RatioWindow cd_bc;
    RatioWindow ad_xa;
};

// The sign of a harmonic pattern on the five newest pivots, or 0.0 when a ratio
// leaves its window.
inline double harmonic_sign(std::span<const Pivot> p, const HarmonicWindows& w) {
    const double x = p[0].price, a = p[1].price, b = p[2].price, c = p[3].price, d = p[4].price;
    const double xa = a - x, ab = b - a, bc = c - b, cd = d - c, ad = d - a;
    const bool all = w.ab_xa.holds(leg_ratio(ab, xa)) && w.bc_ab.holds(leg_ratio(bc, ab)) &&
                     w.cd_bc.holds(leg_ratio(cd, bc)) && w.ad_xa.holds(leg_ratio(ad, xa));
    return all ? completion_sign(p) : 0.0;
}

// The two newest swing highs and the two newest swing lows of four alternating
// pivots, older first, whichever direction the newest pivot has.
struct SwingPairs {
    double h1, h2, l1, l2;
};

inline SwingPairs swing_pairs(std::span<const Pivot> p) {
    const std::size_t n = p.size();
    if (p[n - 1].direction > 0.0) return {p[n - 3].price, p[n - 1].price, p[n - 4].price, p[n - 2].price};
    return {p[n - 4].price, p[n - 2].price, p[n - 3].price, p[n - 1].price};
}

}  // namespace torvex
