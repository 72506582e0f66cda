#include "indicators/momentum/stc.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Stc);

std::expected<Stc, IndicatorError> Stc::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t cycle,
                                               double factor) {
    if (fast == 0 || slow == 0 || cycle == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow)
        return std::unexpected(IndicatorError::invalid_period("STC fast period must be strictly less than slow"));
    if (!(is_finite(factor) && factor > 0.0 && factor <= 1.0))
        return std::unexpected(IndicatorError::invalid_period("STC factor must be a finite value in (0, 1]"));
    if (auto ok = check_max_period(fast); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(slow); !ok) return std::unexpected(ok.error());
    // The cycle sizes both stochastic windows.
    if (auto ok = check_max_period(cycle); !ok) return std::unexpected(ok.error());
    return Stc(fast, slow, cycle, factor);
}

double Stc::stochastic(const FixedRing<double>& window, double v) {
    const HiLo r = window_hi_lo(window);
    return percent_within(r.lo, r.hi, v);
}

double Stc::settle_top(bool at_top, double percent, double k) {
    // A MACD at its window's top is exactly 100 percent, which the quotient can miss
    // by an ulp either way. The smoothed line is then exactly 100 while it began at a
    // top (or follows the percentages whole) and every bar since was one, so a window
    // of such bars is flat in exact arithmetic: the line is held at exactly 100, lest
    // those ulps give the second stochastic a range. Once a bar breaks the run the
    // line can only come back to 100 with factor 1.
    const bool top = percent >= 100.0 - 0x1p-40 && at_top;
    full_top_ = top && (full_top_ || factor_ == 1.0);
    tracking_tops_ = full_top_ || factor_ == 1.0;
    if (full_top_) k_smoothed_ = k = 100.0;
    return k;
}

double Stc::smooth(std::optional<double>& last, double x) const {
    if (last) x = (x - *last) * factor_ + *last;
    last = x;
    return x;
}

std::optional<double> Stc::step(double x) {
    const auto fast = fast_.step(x);
    const auto slow = slow_.step(x);
    if (!fast || !slow) return std::nullopt;
    const double m = *fast - *slow;
    push_capped(macd_window_, cycle_, m);
    if (macd_window_.size() < cycle_) return std::nullopt;
    const HiLo range = window_hi_lo(macd_window_);
    const double percent = percent_within(range.lo, range.hi, m);
    double k = smooth(k_smoothed_, percent);
    if (tracking_tops_) [[unlikely]]
        k = settle_top(m == range.hi, percent, k);
    push_capped(k_window_, cycle_, k);
    if (k_window_.size() < cycle_) return std::nullopt;
    return smooth(stc_, stochastic(k_window_, k));
}

}  // namespace torvex
