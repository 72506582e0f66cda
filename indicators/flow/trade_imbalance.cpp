#include "indicators/flow/trade_imbalance.hpp"

namespace torvex {

std::expected<TradeImbalance, IndicatorError> TradeImbalance::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return TradeImbalance(period);
}

std::optional<double> TradeImbalance::step(const BarContext& ctx) {
    for (const Trade& t : ctx.trades) window_.push(t.is_sell ? 0.0 : t.quantity, t.is_sell ? t.quantity : 0.0);
    if (!window_.full()) return std::nullopt;
    const double buys = window_.sum_a();
    const double sells = window_.sum_b();
    const double total = buys + sells;
    if (!(total > 0.0)) return 0.0;
    return (buys - sells) / total;
}

}  // namespace torvex
