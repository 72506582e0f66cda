#include "indicators/volatility/choppiness_index.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/wilder_atr.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ChoppinessIndex);

ChoppinessIndex::ChoppinessIndex(std::uint64_t n)
    : trs_(n), extremes_(n), period_(n), log_n_(std::log10(static_cast<double>(n))) {}

std::expected<ChoppinessIndex, IndicatorError> ChoppinessIndex::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("choppiness index needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return ChoppinessIndex(n);
}

std::optional<double> ChoppinessIndex::step(const Ohlcv& bar) {
    const double tr = true_range(bar, prev_close_);
    prev_close_ = bar.close;
    trs_.push(tr);
    extremes_.push(bar.high, bar.low);
    if (!trs_.full()) return std::nullopt;
    const double range = extremes_.highest() - extremes_.lowest();
    if (range == 0.0) return 100.0;
    // The true ranges cover the path from the lowest low to the highest high, so the
    // ratio is at least 1; a sum rounded just below the range reads 0, not -1e-13.
    return std::max(100.0 * std::log10(trs_.sum() / range) / log_n_, 0.0);
}

}  // namespace torvex
