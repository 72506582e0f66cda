#include "indicators/risk/renko_trailing_stop.hpp"

#include "indicators/cores/price_unit.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RenkoTrailingStop);

std::expected<RenkoTrailingStop, IndicatorError> RenkoTrailingStop::create(double brick) {
    if (!(std::isfinite(brick) && brick > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    RenkoTrailingStop r(brick);
    r.short_brick_ = price_unit::is_short_binary(brick);
    return r;
}

double RenkoTrailingStop::shift(double k) const {
    return short_brick_ ? price_unit::shifted_by_short(anchor_, k, brick_) : price_unit::shifted(anchor_, k, brick_);
}

void RenkoTrailingStop::settle() {
    // A close near a bound is within a brick of the anchor: each of the three is
    // within half an ulp of its decimal, and the sums round once more.
    slack_ = (std::fabs(anchor_) + brick_) * 0x1p-50;
    if (is_up_) {
        stop_ = shift(-1.0);
        lo_ = stop_ + slack_;
        hi_ = (anchor_ + brick_) - slack_;
    } else {
        stop_ = shift(1.0);
        lo_ = (anchor_ - brick_) + slack_;
        hi_ = stop_ - slack_;
    }
}

double RenkoTrailingStop::bricks(double from, double to) const {
    const double q = (to - from) / brick_;
    const double k = std::floor(q);
    // The quotient's rounding, from the move's and the division's.
    const double doubt = (std::fabs(from) + std::fabs(to)) * 0x1p-51 / brick_ + q * 0x1p-51;
    if (q - k > doubt && (k + 1.0) - q > doubt) return k;
    return price_unit::whole_units(from, to, brick_);
}

double RenkoTrailingStop::below(double close) {
    if (!started_) {
        started_ = true;
        anchor_ = close;
        settle();
        return stop_;
    }
    // Up: a flip on a fall of more than one brick below the anchor. Down: bricks on.
    if (is_up_) return flip_if(close < stop_ - slack_ || price_unit::compare_move(close, anchor_, brick_) > 0, close);
    return move_on(bricks(close, anchor_), -1.0);
}

double RenkoTrailingStop::above(double close) {
    // Down: a flip on a rise of more than one brick above the anchor. Up: bricks on.
    if (!is_up_) return flip_if(close > stop_ + slack_ || price_unit::compare_move(anchor_, close, brick_) > 0, close);
    return move_on(bricks(anchor_, close), 1.0);
}

double RenkoTrailingStop::flip_if(bool flips, double close) {
    if (flips) {
        is_up_ = !is_up_;
        anchor_ = close;
        settle();
    }
    return stop_;
}

double RenkoTrailingStop::move_on(double k, double sign) {
    if (k >= 1.0) {
        anchor_ = shift(sign * k);
        settle();
    }
    return stop_;
}

}  // namespace torvex
