#include "indicators/orderbook/order_book_measures.hpp"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <span>

#include "indicators/numeric.hpp"

namespace torvex::book_formula {

namespace {

bool one_sided(const OrderBook& book) { return book.bids.empty() || book.asks.empty(); }

double size_sum(std::span<const BookLevel> levels, std::uint64_t count) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, levels.size()));
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i) sum += levels[i].size;
    return sum;
}

// Slope of cumulative size against the distance from the mid; `sign` makes the
// distance positive on both sides (mid - price for bids, price - mid for asks).
double side_slope(std::span<const BookLevel> levels, double mid, double sign) {
    double sx = 0.0;
    double sy = 0.0;
    double sxy = 0.0;
    double sxx = 0.0;
    double depth = 0.0;
    for (const BookLevel& level : levels) {
        const double x = sign > 0.0 ? level.price - mid : mid - level.price;
        depth += level.size;
        sx += x;
        sy += depth;
        sxy += x * depth;
        sxx += x * x;
    }
    const double n = static_cast<double>(levels.size());
    const double den = n * sxx - sx * sx;
    if (den == 0.0) return 0.0;
    return (n * sxy - sx * sy) / den;
}

}  // namespace

double quoted_spread(const OrderBook& book) {
    if (one_sided(book)) return 0.0;
    const double bid = book.bids.front().price;
    const double ask = book.asks.front().price;
    return (ask - bid) / midpoint(bid, ask) * 10000.0;
}

double microprice(const OrderBook& book) {
    if (one_sided(book)) return 0.0;
    const BookLevel& bid = book.bids.front();
    const BookLevel& ask = book.asks.front();
    const double sizes = bid.size + ask.size;
    if (sizes > 0.0) return (bid.price * ask.size + ask.price * bid.size) / sizes;
    return midpoint(bid.price, ask.price);
}

double depth_imbalance(const OrderBook& book, std::uint64_t levels) {
    const double b = size_sum(book.bids, levels);
    const double a = size_sum(book.asks, levels);
    const double total = b + a;
    if (total > 0.0) return (b - a) / total;
    return 0.0;
}

double imbalance_top1(const OrderBook& book) {
    if (one_sided(book)) return 0.0;
    return depth_imbalance(book, 1);
}

double imbalance_full(const OrderBook& book) {
    return depth_imbalance(book, std::numeric_limits<std::uint64_t>::max());
}

double depth_slope(const OrderBook& book) {
    if (book.bids.size() < 2 || book.asks.size() < 2) return 0.0;
    const double mid = midpoint(book.bids.front().price, book.asks.front().price);
    return midpoint(side_slope(book.bids, mid, -1.0), side_slope(book.asks, mid, 1.0));
}

}  // namespace torvex::book_formula
