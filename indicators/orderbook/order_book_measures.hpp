// Spread, microprice, depth imbalance and depth slope of one order-book snapshot.
// Each answers 0.0 for a book with an empty side, except the summed imbalances, which
// count an empty side as zero depth.
#pragma once

#include <cstdint>

#include "indicators/cores/feed_indicator.hpp"

namespace torvex {

namespace book_formula {
// Best ask minus best bid over their midpoint, in basis points.
double quoted_spread(const OrderBook& book);
// Best quotes weighted by the opposite side's size; the plain mid when both sizes are 0.
double microprice(const OrderBook& book);
// (B - A) / (B + A) of the best level sizes.
double imbalance_top1(const OrderBook& book);
// (B - A) / (B + A) of the sizes summed over every level.
double imbalance_full(const OrderBook& book);
// Least-squares slope of cumulative size against distance from the mid, per side,
// then the midpoint of the two slopes.
double depth_slope(const OrderBook& book);

// (B - A) / (B + A) with B and A the sizes of the first `levels` levels of each side
// (an empty side sums to 0); 0.0 unless B + A is above zero.
double depth_imbalance(const OrderBook& book, std::uint64_t levels);
}  // namespace book_formula

using QuotedSpread = StatelessFeedIndicator<BookFeed, &book_formula::quoted_spread>;
using Microprice = StatelessFeedIndicator<BookFeed, &book_formula::microprice>;
using OrderBookImbalanceTop1 = StatelessFeedIndicator<BookFeed, &book_formula::imbalance_top1>;
using OrderBookImbalanceFull = StatelessFeedIndicator<BookFeed, &book_formula::imbalance_full>;
using DepthSlope = StatelessFeedIndicator<BookFeed, &book_formula::depth_slope>;

}  // namespace torvex
