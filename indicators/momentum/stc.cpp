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

void Stc::track_full_top(bool top) {
    // A top is exactly 100 percent, so the smoothed line is exactly 100 while it began
    // at a top (or follows the percentages whole) and every bar since was one: a window
    // of it is then flat. Once a bar breaks the run the line stays below 100 for good
    // unless the factor is 1.
    full_top_ = top && (full_top_ || factor_ == 1.0);
    tracking_tops_ = full_top_ || factor_ == 1.0;
}

double Stc::flat_macd_percent() {
    // Only a halt stills both averages for a whole window. In exact arithmetic they
    // never reach the price, so the MACD goes on the way it went: a window that stalls
    // in doubles right after a top is still rising to its newest value. After any
    // other bar the definition's flat answer stands, which is also what a MACD still
    // falling to its window's bottom reads.
    if (top_run_ == 0) return 0.0;
    ++top_run_;
    return 100.0;
}

double Stc::flat_k_percent() const {
    // Below 100 (not held there), the line rises strictly on each top bar in exact
    // arithmetic while its doubles can stall or land on 100. With the last c − 1 bars
    // tops, every value in the window is below the next and k is its top: 100.
    return !full_top_ && cycle_ >= 2 && top_run_ >= cycle_ - 1 ? 100.0 : 0.0;
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
    double percent;
    if (range.hi > range.lo) [[likely]] {
        // A MACD at its window's top is exactly 100 percent, which the quotient can
        // miss by an ulp either way: a line near 100 would swing on those ulps.
        const bool top = m == range.hi;
        percent = top ? 100.0 : ((m - range.lo) * 100.0) / (range.hi - range.lo);
        top_run_ = top ? top_run_ + 1 : 0;
    } else {
        percent = flat_macd_percent();
    }
    const double k = smooth(k_smoothed_, percent);
    if (tracking_tops_) [[unlikely]]
        track_full_top(top_run_ != 0);
    push_capped(k_window_, cycle_, k);
    if (k_window_.size() < cycle_) return std::nullopt;
    const HiLo line = window_hi_lo(k_window_);
    const double d = line.hi > line.lo ? ((k - line.lo) * 100.0) / (line.hi - line.lo) : flat_k_percent();
    return smooth(stc_, d);
}

}  // namespace torvex
