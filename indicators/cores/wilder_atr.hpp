// True range and the Wilder average true range: the plain mean of the first n true
// ranges, then atr = fma(atr, n - 1, TR) / n, with 1/n kept as a multiplier.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/error.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

// The bar's range widened to the previous close: max(max(high - low, |high - pc|),
// |low - pc|). The bar passed the candle rule and pc is an earlier accepted close, so
// no difference is NaN. With low <= high the largest of the three exact differences is
// max(high, pc) - min(low, pc), and rounding keeps the order of values, so that one
// subtraction rounds to the largest of the three rounded ones, bit for bit.
inline double true_range(const Ohlcv& bar, double prev_close) {
    return max_of_ordered(bar.high, prev_close) - (bar.low < prev_close ? bar.low : prev_close);
}

// True range against an optional previous close: high - low on the first bar.
inline double true_range(const Ohlcv& bar, const std::optional<double>& prev_close) {
    return prev_close ? true_range(bar, *prev_close) : bar.high - bar.low;
}

class WilderAtr {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<WilderAtr, IndicatorError> create(std::uint64_t n);

    // One candle that already passed the candle rule. Every bar's close becomes the
    // next previous close; answers from the n-th bar on.
    std::optional<double> step(const Ohlcv& bar) {
        const double tr = true_range(bar, prev_close_);
        prev_close_ = bar.close;
        if (ready_) {
            atr_ = std::fma(atr_, n_minus_1_, tr) * inv_n_;
            return atr_;
        }
        seed_sum_ += tr;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        atr_ = seed_sum_ / static_cast<double>(period_);
        ready_ = true;
        return atr_;
    }

    std::uint64_t period() const { return period_; }

private:
    explicit WilderAtr(std::uint64_t n)
        : period_(n), n_minus_1_(static_cast<double>(n) - 1.0), inv_n_(1.0 / static_cast<double>(n)) {}

    std::optional<double> prev_close_;
    std::uint64_t period_;
    double n_minus_1_;
    double inv_n_;
    double seed_sum_ = -0.0;
    std::uint64_t seed_count_ = 0;
    double atr_ = 0.0;
    bool ready_ = false;
};

inline std::expected<WilderAtr, IndicatorError> WilderAtr::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WilderAtr(n);
}

// The checks of the stops that offset an ATR by a multiplier m: m not finite or not
// above 0 is NonPositiveMultiplier, tested before the period.
inline std::expected<WilderAtr, IndicatorError> create_scaled_atr(std::uint64_t n, double m) {
    if (!is_finite(m) || !(m > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return WilderAtr::create(n);
}

}  // namespace torvex
