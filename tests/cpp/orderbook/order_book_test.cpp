// Spread, microprice, imbalance, order-flow and depth-slope measures of the book.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "indicators/orderbook/order_book_imbalance_top_n.hpp"
#include "indicators/orderbook/order_book_measures.hpp"
#include "indicators/orderbook/order_flow_imbalance.hpp"

namespace torvex {
namespace {

const Ohlcv kBar{0, 100, 100, 100, 100, 1};
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::optional<double> feed_book(DynIndicator& ind, const OrderBook* book) {
    BarContext ctx(kBar);
    ctx.book = book;
    return ind.update(ctx);
}

OrderBook top(double bid, double bid_size, double ask, double ask_size) {
    return {{{bid, bid_size}}, {{ask, ask_size}}};
}

TEST(BookMeasures, KnownValues) {
    const OrderBook deep{{{99, 1}, {98, 2}, {97, 5}}, {{101, 3}, {103, 3}}};
    const OrderBook no_asks{{{99, 1}}, {}};
    struct Case {
        double (*formula)(const OrderBook&);
        OrderBook book;
        double expected;
    };
    const Case cases[] = {
        {book_formula::quoted_spread, top(99, 1, 101, 1), 200.0},
        {book_formula::quoted_spread, no_asks, 0.0},
        {book_formula::microprice, top(100, 1, 102, 3), 100.5},
        {book_formula::microprice, top(100, 0, 102, 0), 101.0},
        {book_formula::microprice, no_asks, 0.0},
        {book_formula::imbalance_top1, top(1, 3, 2, 1), 0.5},
        {book_formula::imbalance_top1, top(1, 0, 2, 0), 0.0},
        // The best-level measure answers 0.0 for a one-sided book, the summed one
        // counts the empty side as zero depth.
        {book_formula::imbalance_top1, no_asks, 0.0},
        {book_formula::imbalance_full, no_asks, 1.0},
        {book_formula::imbalance_full, deep, (8.0 - 6.0) / 14.0},
        // Bids x = 1, 2, y = 1, 3: slope 2; asks x = 1, 3, y = 1, 4: slope 1.5.
        {book_formula::depth_slope, {{{99, 1}, {98, 2}}, {{101, 1}, {103, 3}}}, 1.75},
        // Both bids at one distance: zero denominator, that side's slope is 0.
        {book_formula::depth_slope, {{{99, 1}, {99, 1}}, {{101, 1}, {103, 3}}}, 0.75},
        {book_formula::depth_slope, {{{99, 1}}, {{101, 1}, {103, 3}}}, 0.0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_DOUBLE_EQ(cases[i].formula(cases[i].book), cases[i].expected) << i;
    }

    const std::pair<std::uint64_t, double> top_n[] = {
        {1, -2.0 / 4.0}, {2, -3.0 / 9.0}, {3, 2.0 / 14.0}, {1000, 2.0 / 14.0}};
    for (const auto& [levels, expected] : top_n) {
        auto ind = OrderBookImbalanceTopN::create(levels);
        ASSERT_TRUE(ind);
        EXPECT_EQ(ind->warmup(), 1u);
        EXPECT_FALSE(feed_book(*ind, nullptr));
        EXPECT_DOUBLE_EQ(feed_book(*ind, &deep).value(), expected) << levels;
    }
    auto spread = QuotedSpread::create();
    EXPECT_FALSE(feed_book(*spread, nullptr));
    EXPECT_EQ(feed_book(*spread, &deep), 200.0);
    EXPECT_TRUE(spread->outputs().empty());

    const std::pair<std::uint64_t, IndicatorError> bad_periods[] = {{0, IndicatorError::zero_period()},
                                                                    {16'777'217, IndicatorError::period_too_long()}};
    for (const auto& [n, e] : bad_periods) {
        EXPECT_EQ(OrderBookImbalanceTopN::create(n).error(), e);
        EXPECT_EQ(OrderFlowImbalance::create(n).error(), e);
    }
}

TEST(BookOrderFlow, PeriodOneFlows) {
    // After bid 100 x 5, ask 101 x 4.
    const std::pair<OrderBook, double> cases[] = {
        {top(100, 7, 101, 2), (7.0 - 5.0) - (2.0 - 4.0)},  // unchanged prices: size changes
        {top(100.5, 3, 101, 4), 3.0},                      // better bid: its whole size
        {top(99.5, 3, 101, 4), -5.0},                      // worse bid: old size withdrawn
        {top(100, 5, 101.5, 6), 4.0},                      // worse ask: old size withdrawn
        {top(100, 5, 100.5, 6), -6.0},                     // better ask: its whole size
        // A size is multiplied by its 0/1 indicator: an infinite size that does not
        // count still gives 0 x inf = NaN.
        {top(99.5, kInf, 101, 4), kNaN},
        {top(100, 5, 101.5, kInf), kNaN},
    };
    const OrderBook first = top(100, 5, 101, 4);
    for (const auto& [second, expected] : cases) {
        auto ofi = OrderFlowImbalance::create(1);
        ASSERT_TRUE(ofi);
        EXPECT_EQ(ofi->warmup(), 2u);
        EXPECT_FALSE(feed_book(*ofi, &first));
        const double got = feed_book(*ofi, &second).value();
        EXPECT_TRUE(got == expected || (std::isnan(got) && std::isnan(expected))) << got << " vs " << expected;
    }
}

// A missing or one-sided book answers nothing and neither moves the previous quote
// nor enters the window.
TEST(BookOrderFlow, WindowSumAndSkippedBars) {
    auto ofi = OrderFlowImbalance::create(2);
    ASSERT_TRUE(ofi);
    const OrderBook one_sided{{{100, 9}}, {}};
    const OrderBook books[] = {top(100, 5, 101, 4), top(100, 6, 101, 4), top(100, 6, 101, 1),
                               top(100, 2, 101, 1), top(100, 2, 101, 1)};
    EXPECT_FALSE(feed_book(*ofi, &one_sided));
    EXPECT_FALSE(feed_book(*ofi, &books[0]));
    EXPECT_FALSE(feed_book(*ofi, &books[1]));  // flow +1, window not full
    EXPECT_FALSE(feed_book(*ofi, nullptr));
    EXPECT_FALSE(feed_book(*ofi, &one_sided));
    EXPECT_EQ(feed_book(*ofi, &books[2]), 1.0 + 3.0);
    EXPECT_EQ(feed_book(*ofi, &books[3]), 3.0 - 4.0);
    EXPECT_EQ(feed_book(*ofi, &books[4]), -4.0 + 0.0);
}

}  // namespace
}  // namespace torvex
