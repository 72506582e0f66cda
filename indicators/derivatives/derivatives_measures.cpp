#include "indicators/derivatives/derivatives_measures.hpp"

namespace torvex::tick_formula {

namespace {
// A NaN denominator passes the zero test on purpose and yields NaN.
double ratio_or_zero(double num, double den) { return den == 0.0 ? 0.0 : num / den; }
}  // namespace

double funding_rate(const DerivativesTick& t) { return t.funding_rate; }

double premium(const DerivativesTick& t) { return (t.mark_price - t.index_price) / t.index_price; }

double term_basis(const DerivativesTick& t) { return (t.futures_price - t.index_price) / t.index_price; }

double calendar_spread(const DerivativesTick& t) { return (t.futures_price - t.mark_price) / t.mark_price; }

double long_short(const DerivativesTick& t) { return ratio_or_zero(t.long_side, t.short_side); }

double taker_buy_sell(const DerivativesTick& t) {
    return ratio_or_zero(t.taker_buy_volume, t.taker_sell_volume);
}

double oi_to_volume(const DerivativesTick& t) {
    const double volume = t.taker_buy_volume + t.taker_sell_volume;
    if (volume > 0.0) return t.open_interest / volume;
    return 0.0;
}

}  // namespace torvex::tick_formula
