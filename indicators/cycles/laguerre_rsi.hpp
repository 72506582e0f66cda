// Ehlers' Laguerre RSI: the up and down steps between the four stages of a Laguerre
// filter of the close, as a percentage.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class LaguerreRsi final : public CloseIndicator<LaguerreRsi> {
public:
    // gamma finite in [0, 1], else InvalidPeriod.
    static std::expected<LaguerreRsi, IndicatorError> create(double gamma);

    std::optional<double> step(double close) {
        if (!started_) {
            l0_ = l1_ = l2_ = l3_ = last_close_ = close;
            started_ = true;
            return 50.0;
        }
        if (close == last_close_) [[unlikely]] {
            // Handed over and back by value, so that the loop keeps the state in registers.
            const Repeated r = repeated_close(Repeated{{l0_, l1_, l2_, l3_}, run_, 0.0}, gamma_, one_minus_gamma_, close);
            l0_ = r.stages[0];
            l1_ = r.stages[1];
            l2_ = r.stages[2];
            l3_ = r.stages[3];
            run_ = r.run;
            return r.answer;
        }
        return moved(close);
    }
    // A lone update: the same step, with the repeated close a tail call, so that the
    // usual step needs no frame (step hands the state over by value instead, which a
    // column loop keeps in registers).
    std::optional<double> step_alone(double close) {
        if (!started_ || close == last_close_) [[unlikely]] return step_apart(close);
        return moved(close);
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit LaguerreRsi(double gamma) : gamma_(gamma), one_minus_gamma_(1.0 - gamma) {}

    // The usual bar: a close unlike the last one.
    double moved(double close) {
        last_close_ = close;
        advance(l0_, l1_, l2_, l3_, gamma_, one_minus_gamma_, close);
        return answer(l0_, l1_, l2_, l3_);
    }

    // One update of the four stages towards `close`.
    static void advance(double& s0, double& s1, double& s2, double& s3, double g, double one_minus_g, double close) {
        const double l0 = g * s0 + one_minus_g * close;
        const double l1 = g * s1 + s0 - g * l0;
        const double l2 = g * s2 + s1 - g * l1;
        const double l3 = g * s3 + s2 - g * l2;
        s0 = l0;
        s1 = l1;
        s2 = l2;
        s3 = l3;
    }

    // The share of up steps between neighbouring stages; 50.0 where the stages are equal.
    static double answer(double l0, double l1, double l2, double l3) {
        double cu = 0.0;
        double cd = 0.0;
        const double stages[4] = {l0, l1, l2, l3};
        for (int k = 0; k < 3; ++k) {
            const double u = stages[k];
            const double w = stages[k + 1];
            if (u >= w) cu += u - w;
            if (u < w) cd += w - u;
        }
        if (!(cu + cd > 0.0)) return 50.0;
        return std::clamp(100.0 * cu / (cu + cd), 0.0, 100.0);
    }

    // A bar whose close repeats the last one. The stages converge on the close, and
    // their differences cancel to a few roundings of the price: stages that rounding
    // makes equal read 50.0, or quotients of roundings, where the stages still differ.
    // Relative to a fixed close the filter is linear without input, so a run of
    // repeated closes also keeps each stage's distance from the close, held times a
    // power of two so that it never leaves the normal range. The stages run as on any
    // bar until their answer leaves the distances' by more than rounding; from there
    // to the end of the run the distances answer, and the stages are the close plus
    // the distance, rounded once, for the first bar after the run.
    struct Run {
        double close = std::numeric_limits<double>::quiet_NaN();
        double left[4] = {};                             // the stages as the run left them
        double d0 = 0.0, d1 = 0.0, d2 = 0.0, d3 = 0.0;  // the stages less the close
        DecayScale scale;
        bool from_distances = false;
    };
    struct Repeated {
        double stages[4];
        Run run;
        double answer;
    };
    [[gnu::noinline]] static Repeated repeated_close(Repeated s, double g, double one_minus_g, double close);
    [[gnu::noinline]] std::optional<double> step_apart(double close) { return step(close); }

    double gamma_;
    double one_minus_gamma_;
    double l0_ = 0.0;
    double l1_ = 0.0;
    double l2_ = 0.0;
    double l3_ = 0.0;
    double last_close_ = 0.0;
    Run run_;  // the last run of repeated closes
    bool started_ = false;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LaguerreRsi);

}  // namespace torvex
