// The input rule of the indicators over the bar's trade prints: a bar without trades
// answers nothing and changes nothing. Trades are not validated.
#pragma once

#include <optional>

#include "indicators/cores/feed_indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

// Passes the whole bar on when it carries at least one trade: several of these types
// also read the book and the close.
struct TradeFeed {
    using Input = BarContext;
    static const BarContext* find(const BarContext& ctx) { return ctx.trades.empty() ? nullptr : &ctx; }
};

template <class Derived>
using TradeIndicator = FeedIndicator<Derived, TradeFeed>;

// +1 for a buyer-initiated print, -1 for a seller-initiated one.
inline double trade_sign(const Trade& t) { return t.is_sell ? -1.0 : 1.0; }

// The quantity, negated for a sell.
inline double signed_quantity(const Trade& t) { return t.is_sell ? -t.quantity : t.quantity; }

// The mid the spread measures compare prices with: the midpoint of the best quotes
// when both sides of the book are there, else the close; nothing when that is not a
// positive finite price.
inline std::optional<double> reference_mid(const BarContext& ctx) {
    double m = ctx.candle.close;
    if (ctx.book != nullptr && !ctx.book->bids.empty() && !ctx.book->asks.empty())
        m = midpoint(ctx.book->bids.front().price, ctx.book->asks.front().price);
    if (!is_finite(m) || !(m > 0.0)) return std::nullopt;
    return m;
}

}  // namespace torvex
