#include "indicators/cycles/cybernetic_cycle.hpp"

namespace torvex {

CyberneticCycle::CyberneticCycle(std::uint64_t n)
    : period_(n), alpha_(2.0 / (static_cast<double>(n) + 1.0)), gains_(TwoPoleGains::from_alpha(alpha_)) {}

std::expected<CyberneticCycle, IndicatorError> CyberneticCycle::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CyberneticCycle(n);
}

std::optional<double> CyberneticCycle::step(double x) {
    // This bar's history: p0 = x, then the closes before it.
    const double p1 = p1_;
    const double p2 = p2_;
    const double p3 = p3_;
    const int earlier = closes_;
    const double smooth = earlier >= 3 ? (p3 + ((p2 + p2) + ((p1 + p1) + x))) / 6.0 : x;
    const double s1 = s1_;
    const double s2 = s2_;
    const int smooths_before = smooths_;

    double cycle;
    if (earlier >= 2 && smooths_before >= 2 && has_cycle_) {
        cycle = gains_.apply((smooth - 2.0 * s1) + s2, c1_, c2_);
    } else {
        const double q1 = earlier >= 1 ? p1 : x;
        const double q2 = earlier >= 2 ? p2 : x;
        cycle = ((x - 2.0 * q1) + q2) * 0.25;
    }

    p3_ = p2;
    p2_ = p1;
    p1_ = x;
    if (closes_ < 3) closes_ += 1;
    s2_ = s1;
    s1_ = smooth;
    if (smooths_ < 2) smooths_ += 1;
    c2_ = c1_;
    c1_ = cycle;
    has_cycle_ = true;
    return cycle;
}

}  // namespace torvex
