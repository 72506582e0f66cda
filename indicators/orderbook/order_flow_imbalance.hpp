// Order-flow imbalance of the best quotes, summed over a rolling window of `period`
// book updates.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/feed_indicator.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"

namespace torvex {

class OrderFlowImbalance final : public BookIndicator<OrderFlowImbalance> {
public:
    static std::expected<OrderFlowImbalance, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const OrderBook& book);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit OrderFlowImbalance(std::uint64_t period) : flows_(period), period_(period), clock_(period) {}

    struct Quote {
        double bid_price;
        double bid_size;
        double ask_price;
        double ask_size;
    };

    std::optional<Quote> previous_;
    FixedRing<double> flows_;
    std::uint64_t period_;
    double sum_ = 0.0;
    double magnitude_ = 0.0;  // Σ|flow| over the window
    ResumClock clock_;
};

}  // namespace torvex
