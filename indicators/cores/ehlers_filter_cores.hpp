// The small recursive filters of the Ehlers family that several cycle indicators
// embed: the two-pole super smoother, the one-pole high-pass followed by it (the
// roofing filter), the two-pole high-pass and the two-pole band-pass, plus the
// window normalisation of the stochastic-style oscillators.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/rolling_window.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

// (cos t + sin t − 1) / cos t: the gain of the high-pass filters at the angle t.
double highpass_factor(double theta);

// Two-pole super smoother of a real length L (half lengths are allowed): passes its
// first two inputs through, then filters the midpoint of the input and the one before.
// A constant input comes out exactly.
class SuperSmootherCore {
public:
    explicit SuperSmootherCore(double length);

    double step(double u) {
        double out = u;
        if (filled_ == 2) {
            out = filtered(midpoint(u, prev_input_));
        } else {
            filled_ += 1;
        }
        out2_ = out1_;
        out1_ = out;
        prev_input_ = u;
        return out;
    }

    // The step of a filter that has run (ready()) given the midpoint `m` of its input
    // and the one before, for an owner that holds that midpoint as a state of its own.
    double step_midpoint(double m, double u) {
        const double out = filtered(m);
        out2_ = out1_;
        out1_ = out;
        prev_input_ = u;
        return out;
    }
    bool ready() const { return filled_ == 2; }

    double c1() const { return c1_; }
    double c2() const { return c2_; }
    double c3() const { return c3_; }

    // The filter's memory (previous input, two previous outputs), for an owner that
    // holds it in one group of decaying states with its own (DecayScale).
    double& held_input() { return prev_input_; }
    double& held_out1() { return out1_; }
    double& held_out2() { return out2_; }

private:
    // c1·m + c2·out1 + c3·out2 written around m, with c1 = 1 − c2 − c3: the three
    // rounded coefficients need not add up to 1, and a filter fed a constant must
    // give that constant back exactly. Otherwise its outputs wander by an ulp, and the
    // oscillators that divide a window statistic by its own running root mean square
    // turn that wander into answers of order 1.
    double filtered(double m) const { return m + (c2_ * (out1_ - m) + c3_ * (out2_ - m)); }

    double c1_;
    double c2_;
    double c3_;
    double prev_input_ = 0.0;
    double out1_ = 0.0;
    double out2_ = 0.0;
    int filled_ = 0;  // outputs so far, up to 2: the filter runs once both exist
};

// One-pole high-pass of period `hp_period` (0 on the first input) followed by the
// super smoother of length `lp_length`.
//
// A market pinned between bid and ask (the close alternating between them) holds the
// high-pass in a cycle of ±A that does not decay, while the midpoint of two successive
// values, all the smoother reads, decays by the pole every bar. Once that midpoint is
// far below A, computing it from the two values leaves mostly their rounding. An owner
// that sees the smoothed values fall that far below the high-pass arms the core: the
// next bar takes the sum s = h + h₋₁ as computed (exactly: the two nearly cancel), and
// from then on s is carried as a state of its own, s = pole·s₋₁ + (d + d₋₁), with d the
// high-pass's input term. A close that repeats two bars apart adds exactly 0, so s
// decays keeping its digits, and an owner can hold it scaled with the smoother's
// memory. Once the sum of the two values would keep its digits again, the owner stops
// carrying it. The digits carried are those the computed sum keeps when armed: when the
// smoothed values are 2^-12 of the high-pass, about 42 bits.
class RoofingCore {
public:
    RoofingCore(double lp_length, std::uint64_t hp_period);
    // The same filter given its pole (1 − alpha) and input gain (1 − alpha/2).
    RoofingCore(double lp_length, double pole, double gain);

    // Whether smoothed values of size `smoothed` (a degree-1 measure) leave the usual
    // step's midpoint within 2^-40 or so of rounding: below 2^-12 of the high-pass.
    static constexpr double kCancel = 0x1p-12;
    // Where the carried sum is back above 2^-6 of the high-pass, the plain one keeps
    // all but 6 or so of its bits.
    static constexpr double kRecovered = 0x1p-6;

    // Advances the high-pass stage, then answers nothing when its value is not
    // finite (the smoother is left as it was), else the smoothed value.
    std::optional<double> step(double x) {
        const double h = highpass(x);
        if (!std::isfinite(h)) return std::nullopt;
        return smoother_.step(h);
    }

    // Advances the high-pass stage alone and answers its value, for an owner that
    // steps the smoother itself (and, once the value is not finite, answers nothing
    // from then on: the stage never leaves such a value).
    double highpass(double x) {
        const double h = prev_close_ ? one_minus_alpha_ * hp_ + (x - *prev_close_) * input_gain_ : 0.0;
        hp_ = h;
        prev_close_ = x;
        return h;
    }

    // The same step for an owner that holds the filter's states scaled: `enter` brings
    // the high-pass stage's new term into their units (or the states back to theirs)
    // before it joins.
    template <class Enter>
    std::optional<double> step_entering(double x, Enter&& enter) {
        double term = prev_close_ ? (x - *prev_close_) * input_gain_ : 0.0;
        enter(term);
        const double h = prev_close_ ? one_minus_alpha_ * hp_ + term : 0.0;
        hp_ = h;
        prev_close_ = x;
        if (!std::isfinite(h)) return std::nullopt;
        return smoother_.step(h);
    }

    // Carries the sum of the last two high-pass values from the next bar on (see
    // above); the smoother must have run. The owner holds its states in their own
    // units when it arms the core.
    void arm() { phase_ = Phase::armed; }
    bool carrying() const { return phase_ != Phase::off; }
    void stop_carrying() { phase_ = Phase::off; }
    // Whether the carried sum, `own_sum` in its own units, is back where the plain sum
    // keeps its digits (or the high-pass is no longer finite).
    bool sum_recovered(double own_sum) const {
        return !(std::fabs(own_sum) < std::fabs(hp_) * kRecovered) || !std::isfinite(hp_);
    }

    // A step while carrying. The high-pass value and the smoother's previous input stay
    // in their own units; `enter` brings the sum's new term into the units of the owner's
    // group (the carried sum and the smoother's outputs).
    template <class Enter>
    std::optional<double> step_carrying(double x, Enter&& enter) {
        const double term = prev_close_ ? (x - *prev_close_) * input_gain_ : 0.0;
        const double h = one_minus_alpha_ * hp_ + term;
        double change = term + last_term_;
        last_term_ = term;
        prev_close_ = x;
        if (!std::isfinite(h)) {
            hp_ = h;
            return std::nullopt;
        }
        if (phase_ == Phase::armed) {
            phase_ = Phase::carried;
            sum_ = h + hp_;
            hp_ = h;
            return smoother_.step(h);
        }
        enter(change);
        sum_ = one_minus_alpha_ * sum_ + change;
        hp_ = h;
        return smoother_.step_midpoint(sum_ * 0.5, h);
    }

    // Calls `f` with a pointer to each state an owner holds in one DecayScale group (to
    // which it may add states of its own): while the sum is carried, the sum and the
    // smoother's outputs; otherwise the high-pass value and the smoother's memory.
    template <class F>
    void with_held(F&& f) {
        if (carrying()) return f(&sum_, &smoother_.held_out1(), &smoother_.held_out2());
        f(&hp_, &smoother_.held_input(), &smoother_.held_out1(), &smoother_.held_out2());
    }
    // A step for an owner that holds those states scaled, carrying the sum or not:
    // `enter(term, held...)` brings the step's new term into the units of the group.
    template <class Enter>
    std::optional<double> step_held(double x, Enter&& enter) {
        const auto term_in = [&](double& t) { with_held([&](auto*... held) { enter(t, held...); }); };
        return carrying() ? step_carrying(x, term_in) : step_entering(x, term_in);
    }

    double alpha() const { return alpha_; }
    // The high-pass value and the smoother, for such an owner.
    double& held_highpass() { return hp_; }
    double& held_sum() { return sum_; }
    SuperSmootherCore& smoother() { return smoother_; }

private:
    enum class Phase : unsigned char { off, armed, carried };

    std::optional<double> prev_close_;
    double hp_ = 0.0;
    double sum_ = 0.0;        // h + h₋₁ while carried
    double last_term_ = 0.0;  // the high-pass's last input term while carrying
    Phase phase_ = Phase::off;
    double alpha_;
    double one_minus_alpha_;
    double input_gain_;  // 1 − alpha/2
    SuperSmootherCore smoother_;
};

// The gains of a two-pole high-pass with factor alpha:
// out = (1 − α/2)²·d + 2(1 − α)·h1 − (1 − α)²·h2, with d the second difference.
struct TwoPoleGains {
    double k0;
    double k1;
    double k2;

    static TwoPoleGains from_alpha(double alpha);
    double apply(double d, double h1, double h2) const { return k0 * d + k1 * h1 - k2 * h2; }
};

// The last two inputs and outputs of a second-order recursion, and whether two
// earlier inputs exist yet.
struct SecondOrderHistory {
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
    int seen = 0;  // inputs so far, up to 2

    bool ready() const { return seen == 2; }
    void shift(double x, double y) {
        if (seen < 2) seen += 1;
        y2 = y1;
        y1 = y;
        x2 = x1;
        x1 = x;
    }
};

// Two-pole high-pass of period P (angle 0.707·2π/P): 0 until two earlier inputs exist.
class TwoPoleHighpassCore {
public:
    explicit TwoPoleHighpassCore(std::uint64_t period);

    // Whether the filter of this period decays: its double pole 1 − alpha lies inside
    // the unit circle. Period 1 puts it at about −7.3 (every bar multiplies the
    // history by it), period 2 at about −0.34; from 3 on alpha lies in (0, 1).
    static bool stable(std::uint64_t period);

    double step(double x) {
        const double hp = h_.ready() ? gains_.apply((x - 2.0 * h_.x1) + h_.x2, h_.y1, h_.y2) : 0.0;
        h_.shift(x, hp);
        return hp;
    }

private:
    TwoPoleGains gains_;
    SecondOrderHistory h_;
};

// Two-pole band-pass around cos⁻¹(beta) with pole factor alpha: 0 until two earlier
// inputs exist.
class BandpassCore {
public:
    // At beta = ±1 (periods 1 and 2) alpha is taken as (1 + alpha) − 1, a change below
    // an ulp of 1 that makes 1 + alpha exact: the pole at beta then lies exactly on the
    // unit circle, where the input's (1 − L²) cancels it. With the rounded 1 + alpha it
    // could sit an ulp outside and grow the output by about 1e-16 a bar.
    BandpassCore(double beta, double alpha);

    // Whether the filter stays bounded: the roots of z² − beta·(1 + alpha)·z + alpha
    // lie inside the unit circle (|alpha| < 1, |beta| < 1), or on it where the input's
    // (1 − L²) cancels them: beta = ±1 (periods 1 and 2) with |alpha| < 1; alpha = −1
    // (cos(4π·b/n) = −1), whose recursion is y = (x − x₂) + y₂; alpha = 1 (cos rounds
    // to 1), whose input gain is 0. That is |alpha| <= 1 (beta always lies in [−1, 1]).
    // A bandwidth above n/8 puts alpha below −1 (and NaN where the cosine is 0).
    static bool bounded(double alpha);

    double step(double x) {
        const double bp = h_.ready() ? g0_ * (x - h_.x2) + g1_ * h_.y1 - alpha_ * h_.y2 : 0.0;
        h_.shift(x, bp);
        return bp;
    }

    double beta() const { return beta_; }
    double alpha() const { return alpha_; }

private:
    double beta_;
    double alpha_;
    double g0_;  // 0.5·(1 − alpha)
    double g1_;  // beta·(1 + alpha)
    SecondOrderHistory h_;
};

// Where v lies in a window's range, mapped to [−1, 1]: fma((v − lo)/(hi − lo), 2, −1),
// or 0 when the range is not above zero.
double window_normalise(HiLo range, double v);

}  // namespace torvex
