#include "indicators/patterns/new_price_lines.hpp"

namespace torvex {

std::expected<NewPriceLines, IndicatorError> NewPriceLines::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("new price lines count must be >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return NewPriceLines(n);
}

std::optional<double> NewPriceLines::step(const Ohlcv& bar) {
    if (!previous_close_) {
        previous_close_ = bar.close;
        return std::nullopt;
    }
    // A run only needs to reach n, so it stops growing there and can never wrap.
    if (bar.close > *previous_close_) {
        if (rising_ < n_) ++rising_;
        falling_ = 0;
    } else if (bar.close < *previous_close_) {
        if (falling_ < n_) ++falling_;
        rising_ = 0;
    } else {
        rising_ = 0;
        falling_ = 0;
    }
    previous_close_ = bar.close;
    double result = 0.0;
    if (falling_ >= n_) result = 1.0;
    if (rising_ >= n_) result = -1.0;
    return result;
}

}  // namespace torvex
