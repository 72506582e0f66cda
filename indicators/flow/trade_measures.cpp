#include "indicators/flow/trade_measures.hpp"

namespace torvex {

double last_signed_volume(const BarContext& ctx) { return signed_quantity(ctx.trades.back()); }

std::optional<double> EffectiveSpread::step(const BarContext& ctx) const {
    const std::optional<double> mid = reference_mid(ctx);
    if (!mid) return std::nullopt;
    const Trade& t = ctx.trades.back();
    const double sign2 = t.is_sell ? -2.0 : 2.0;
    return sign2 * (t.price - *mid) / *mid * 10000.0;
}

}  // namespace torvex
