#include "indicators/orderbook/order_flow_imbalance.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<OrderFlowImbalance, IndicatorError> OrderFlowImbalance::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return OrderFlowImbalance(period);
}

std::optional<double> OrderFlowImbalance::step(const OrderBook& book) {
    // A one-sided book has no best quote to compare: nothing changes.
    if (book.bids.empty() || book.asks.empty()) return std::nullopt;
    const Quote now{book.bids.front().price, book.bids.front().size, book.asks.front().price,
                    book.asks.front().size};
    if (!previous_) {
        previous_ = now;
        return std::nullopt;
    }
    const Quote& before = *previous_;
    // A better bid brings its whole size as new demand, a worse one withdraws the old
    // size, an unchanged one counts the change of size; the ask side mirrors it. Each
    // size is multiplied by its 0/1 indicator, so a non-finite size gives NaN even
    // where its indicator is 0.
    const auto indicator = [](bool holds) { return holds ? 1.0 : 0.0; };
    const double bid_term = indicator(now.bid_price >= before.bid_price) * now.bid_size -
                            indicator(now.bid_price <= before.bid_price) * before.bid_size;
    const double ask_term = indicator(now.ask_price <= before.ask_price) * now.ask_size -
                            indicator(now.ask_price >= before.ask_price) * before.ask_size;
    const double flow = bid_term - ask_term;
    previous_ = now;

    if (const std::optional<double> evicted = push_capped(flows_, period_, flow)) {
        sum_ -= *evicted;
        magnitude_ -= std::fabs(*evicted);
    }
    sum_ += flow;
    magnitude_ += std::fabs(flow);
    // Flows have either sign: the sum is watched through their magnitudes.
    if (clock_.tick(magnitude_)) {
        sum_ = window_sum(flows_, -0.0);
        magnitude_ = window_magnitude(flows_);
        settle_window(clock_, flows_, period_, magnitude_);
    }
    if (flows_.size() < period_) return std::nullopt;
    return sum_;
}

}  // namespace torvex
