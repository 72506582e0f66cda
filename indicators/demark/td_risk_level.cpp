#include "indicators/demark/td_risk_level.hpp"

#include <limits>

#include "indicators/cores/wilder_atr.hpp"

namespace torvex {

std::expected<TdRiskLevel, IndicatorError> TdRiskLevel::create(std::uint64_t lookback, std::uint64_t run_length) {
    if (lookback == 0 || run_length == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(lookback); !ok) return std::unexpected(ok.error());
    return TdRiskLevel(lookback, run_length);
}

std::optional<std::array<double, 2>> TdRiskLevel::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const std::optional<double> ref = closes_.push(bar.close);
    if (!ref) {
        previous_close_ = bar.close;
        return std::nullopt;
    }
    const double tr = true_range(bar, previous_close_);
    runs_.step(bar.close, *ref, run_length_);
    if (bar.close < *ref) {
        // An equal later low keeps the earlier record.
        if (!low_record_ || low_record_->price > bar.low) low_record_ = Record{bar.low, tr};
        high_record_.reset();
        if (runs_.buy == run_length_) buy_risk_ = low_record_->price - low_record_->true_range;
    } else if (bar.close > *ref) {
        if (!high_record_ || high_record_->price < bar.high) high_record_ = Record{bar.high, tr};
        low_record_.reset();
        if (runs_.sell == run_length_) sell_risk_ = high_record_->price + high_record_->true_range;
    } else {
        low_record_.reset();
        high_record_.reset();
    }
    previous_close_ = bar.close;
    if (!buy_risk_ && !sell_risk_) return std::nullopt;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    return std::array<double, 2>{buy_risk_.value_or(kNaN), sell_risk_.value_or(kNaN)};
}

}  // namespace torvex
