#include "indicators/momentum/stoch_rsi.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<StochRsi, IndicatorError> StochRsi::create(std::uint64_t n, std::uint64_t k) {
    if (n == 0 || k == 0) return std::unexpected(IndicatorError::zero_period());
    auto rsi = RsiCore::create(n);
    if (!rsi) return std::unexpected(rsi.error());
    // k sizes the window of RSI values.
    if (auto ok = check_max_period(k); !ok) return std::unexpected(ok.error());
    return StochRsi(std::move(*rsi), k);
}

std::optional<double> StochRsi::step(double close) {
    const std::optional<double> rsi = rsi_.step(close);
    closes_.push(close);
    if (!rsi) return std::nullopt;
    // Every RSI of a run without a fall is 100: the window's range is not its rounding.
    const double v = rsi_.without_loss() && *rsi != 50.0 ? 100.0 : *rsi;
    push_capped(window_, window_len_, v);
    if (window_.size() < window_len_) return std::nullopt;
    // An unchanged close scales the average gain and loss by one factor, (n - 1) / n,
    // which leaves the RSI where it was; the rounding of the two averages does not,
    // and over a flat stretch (they decay for ever) the window's range would be that
    // rounding alone, spread over 0 to 100. So k equal closes make a flat window; at
    // n = 1 the factor is 0 and the RSI of an unchanged close is 50, so there k + 1.
    if (closes_.covers(rsi_.period() > 1 ? window_len_ : window_len_ + 1)) return 50.0;
    const HiLo r = window_hi_lo(window_);
    const double range = r.hi - r.lo;
    if (range == 0.0) return 50.0;
    return ((v - r.lo) * 100.0) / range;
}

}  // namespace torvex
