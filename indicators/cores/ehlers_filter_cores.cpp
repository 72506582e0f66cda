#include "indicators/cores/ehlers_filter_cores.hpp"

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

RoofingCore::RoofingCore(double lp_length, std::uint64_t hp_period)
    : alpha_(highpass_factor(kTwoPi / static_cast<double>(hp_period))),
      one_minus_alpha_(1.0 - alpha_),
      input_gain_(alpha_ * -0.5 + 1.0),
      smoother_(lp_length) {}

RoofingCore::RoofingCore(double lp_length, double pole, double gain)
    : alpha_(1.0 - pole), one_minus_alpha_(pole), input_gain_(gain), smoother_(lp_length) {}

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

namespace {
double pole_factor(double beta, double alpha) { return std::fabs(beta) == 1.0 ? (1.0 + alpha) - 1.0 : alpha; }
}  // namespace

BandpassCore::BandpassCore(double beta, double alpha)
    : beta_(beta),
      alpha_(pole_factor(beta, alpha)),
      g0_(0.5 * (1.0 - alpha_)),
      g1_(beta * (1.0 + alpha_)) {}

bool BandpassCore::bounded(double alpha) { return std::fabs(alpha) <= 1.0; }

double window_normalise(HiLo r, double v) {
    const double range = r.hi - r.lo;
    if (!(range > 0.0)) return 0.0;
    return std::fma((v - r.lo) / range, 2.0, -1.0);
}

}  // namespace torvex
