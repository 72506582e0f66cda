// The parabolic stop-and-reverse: a stop that follows the trend's extreme point
// with an acceleration that grows each time a new extreme is made, and that flips
// to the other side of the price when the price reaches it.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace torvex {

// Initial acceleration, its increment on each new extreme, and its cap.
struct SarAcceleration {
    double init;
    double step;
    double max;
};

class ParabolicSar {
public:
    // start: 0 picks the first side from the first two bars' movement, above 0 starts
    // long at that level, below 0 starts short at its magnitude. offset: the share of
    // the stop's magnitude by which a reversal pushes it away (only when
    // `widen_on_reverse`). Accelerations are checked by the owner.
    ParabolicSar(double start, double offset, SarAcceleration up, SarAcceleration down, bool widen_on_reverse)
        : long_acc_(up), short_acc_(down), start_(start), offset_(offset), af_(up.init), widen_(widen_on_reverse) {}

    // The high and low of a bar that passed the candle rule. The first bar is only
    // stored; from the second on, answers the stop (its magnitude; is_short() tells
    // the side).
    std::optional<double> step(double high, double low) {
        if (!first_seen_) {
            prev_high_ = high;
            prev_low_ = low;
            first_seen_ = true;
            return std::nullopt;
        }
        double ph = prev_high_;
        double pl = prev_low_;
        if (!started_) {
            if (start_ == 0.0) {
                const double up = high - prev_high_;
                const double down = prev_low_ - low;
                short_ = down > up && down > 0.0;
                sar_ = short_ ? prev_high_ : prev_low_;
            } else {
                short_ = start_ < 0.0;
                sar_ = std::fabs(start_);
            }
            ep_ = short_ ? low : high;
            af_ = short_ ? short_acc_.init : long_acc_.init;
            // A reversal on the first trending bar measures against that bar alone.
            ph = high;
            pl = low;
        } else {
            sar_ = (ep_ - sar_) * af_ + sar_;
            sar_ = short_ ? std::max(std::max(sar_, prev_high_), before_high_)
                          : std::min(std::min(sar_, prev_low_), before_low_);
        }

        if (!short_ && low <= sar_) {
            sar_ = std::max(std::max(ep_, ph), high);
            if (widen_) sar_ = sar_ + std::fabs(sar_) * offset_;
            ep_ = low;
            af_ = short_acc_.init;
            short_ = true;
        } else if (short_ && high >= sar_) {
            sar_ = std::min(std::min(ep_, pl), low);
            if (widen_) sar_ = sar_ - std::fabs(sar_) * offset_;
            ep_ = high;
            af_ = long_acc_.init;
            short_ = false;
        } else if (!short_ && high > ep_) {
            ep_ = high;
            af_ = std::min(af_ + long_acc_.step, long_acc_.max);
        } else if (short_ && low < ep_) {
            ep_ = low;
            af_ = std::min(af_ + short_acc_.step, short_acc_.max);
        }

        if (started_) {
            before_high_ = prev_high_;
            before_low_ = prev_low_;
        } else {
            before_high_ = high;
            before_low_ = low;
        }
        prev_high_ = high;
        prev_low_ = low;
        started_ = true;
        return sar_;
    }

    bool is_short() const { return short_; }
    double acceleration() const { return af_; }
    double extreme_point() const { return ep_; }

private:
    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

    SarAcceleration long_acc_;
    SarAcceleration short_acc_;
    double start_;
    double offset_;
    double prev_high_ = kNaN;
    double prev_low_ = kNaN;
    double before_high_ = kNaN;
    double before_low_ = kNaN;
    double sar_ = kNaN;
    double ep_ = kNaN;
    double af_;
    bool first_seen_ = false;
    bool started_ = false;
    bool short_ = false;
    bool widen_;
};

}  // namespace torvex
