#include "indicators/cores/ehlers_filter_cores.hpp"

#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex {

namespace {
constexpr double kSqrt2Pi = 4.442882938158366;     // √2·π
constexpr double kHighpassAngle = 4.442212012175967;  // 0.707·2π
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

double highpass_factor(double theta) { return (std::cos(theta) + std::sin(theta) - 1.0) / std::cos(theta); }

SuperSmootherCore::SuperSmootherCore(double length) {
    const double a = std::exp(-kSqrt2Pi / length);
    c2_ = 2.0 * a * std::cos(kSqrt2Pi / length);
    c3_ = -a * a;
    c1_ = (1.0 - c2_) - c3_;
}

double SuperSmootherCore::step(double u) {
    double out = u;
    if (filled_ == 2) {
        // c1·m + c2·out1 + c3·out2 written around m, with c1 = 1 − c2 − c3: the three
        // rounded coefficients need not add up to 1, and a filter fed a constant must
        // give that constant back exactly. Otherwise its outputs wander by an ulp,
        // and the oscillators that divide a window statistic by its own running
        // root mean square turn that wander into answers of order 1.
        const double m = midpoint(u, prev_input_);
        out = m + (c2_ * (out1_ - m) + c3_ * (out2_ - m));
    } else {
        filled_ += 1;
    }
    out2_ = out1_;
    out1_ = out;
    prev_input_ = u;
    return out;
}

RoofingCore::RoofingCore(double lp_length, std::uint64_t hp_period)
    : alpha_(highpass_factor(kTwoPi / static_cast<double>(hp_period))),
      one_minus_alpha_(1.0 - alpha_),
      input_gain_(alpha_ * -0.5 + 1.0),
      smoother_(lp_length) {}

std::optional<double> RoofingCore::step(double x) {
    const double h = prev_close_ ? one_minus_alpha_ * hp_ + (x - *prev_close_) * input_gain_ : 0.0;
    hp_ = h;
    prev_close_ = x;
    if (!std::isfinite(h)) return std::nullopt;
    return smoother_.step(h);
}

TwoPoleGains TwoPoleGains::from_alpha(double alpha) {
    const double half = 1.0 - alpha / 2.0;
    const double keep = 1.0 - alpha;
    return TwoPoleGains{half * half, 2.0 * keep, keep * keep};
}

TwoPoleHighpassCore::TwoPoleHighpassCore(std::uint64_t period)
    : gains_(TwoPoleGains::from_alpha(highpass_factor(kHighpassAngle / static_cast<double>(period)))) {}

bool TwoPoleHighpassCore::stable(std::uint64_t period) {
    const double pole = 1.0 - highpass_factor(kHighpassAngle / static_cast<double>(period));
    return std::fabs(pole) < 1.0;
}

double TwoPoleHighpassCore::step(double x) {
    const double hp = h_.ready() ? gains_.apply((x - 2.0 * h_.x1) + h_.x2, h_.y1, h_.y2) : 0.0;
    h_.shift(x, hp);
    return hp;
}

BandpassCore::BandpassCore(double beta, double alpha)
    : beta_(beta), alpha_(alpha), g0_(0.5 * (1.0 - alpha)), g1_(beta * (1.0 + alpha)) {}

bool BandpassCore::stable(double beta, double alpha) { return std::fabs(alpha) < 1.0 && std::fabs(beta) < 1.0; }

double BandpassCore::step(double x) {
    const double bp = h_.ready() ? g0_ * (x - h_.x2) + g1_ * h_.y1 - alpha_ * h_.y2 : 0.0;
    h_.shift(x, bp);
    return bp;
}

double window_normalise(HiLo r, double v) {
    const double range = r.hi - r.lo;
    if (!(range > 0.0)) return 0.0;
    return std::fma((v - r.lo) / range, 2.0, -1.0);
}

}  // namespace torvex
