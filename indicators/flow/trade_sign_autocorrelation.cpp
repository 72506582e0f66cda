#include "indicators/flow/trade_sign_autocorrelation.hpp"

namespace torvex {

std::expected<TradeSignAutocorrelation, IndicatorError> TradeSignAutocorrelation::create(std::uint64_t period) {
    if (period < 2)
        return std::unexpected(IndicatorError::invalid_period("trade-sign autocorrelation needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return TradeSignAutocorrelation(period);
}

std::optional<double> TradeSignAutocorrelation::step(const BarContext& ctx) {
    for (const Trade& t : ctx.trades) {
        const std::int8_t s = t.is_sell ? -1 : 1;
        if (signs_.full()) {
            products_ -= signs_[0] * signs_[1];
            signs_.pop_front();
        }
        if (!signs_.empty()) products_ += signs_.back() * s;
        signs_.push(s);
    }
    if (!signs_.full()) return std::nullopt;
    return static_cast<double>(products_) / static_cast<double>(period_ - 1);
}

}  // namespace torvex
