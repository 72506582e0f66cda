// The bars of a benchmark as a column loop sees them, each carrying one fixed book and
// funding snapshot: what the indicator loops cost with their inputs at hand.
#pragma once

#include <span>

#include "indicators/indicator.hpp"

namespace torvex {

// The book and funding snapshot that every bar of the benchmark carries, and a
// reference value per bar where one is handed over (for the names over two series).
class BenchColumns final : public BarColumns {
public:
    BenchColumns(std::span<const Ohlcv> candles, std::span<const double> closes, const CandleColumns& fields = {},
                 std::span<const double> reference = {})
        : BarColumns(candles, closes, fields), reference_(reference) {
        book_.bids = {{99.9, 5.0}, {99.8, 7.0}, {99.7, 9.0}};
        book_.asks = {{100.1, 4.0}, {100.2, 6.0}, {100.3, 8.0}};
        tick_.funding_rate = 0.0001;
        tick_.open_interest = 1e6;
    }
    bool has_extras() const override { return true; }
    void fill(std::size_t r, BarContext& ctx, OrderBook&) const override {
        ctx.book = &book_;
        ctx.derivatives = tick_;
        if (!reference_.empty()) ctx.reference = reference_[r];
    }

private:
    OrderBook book_;
    DerivativesTick tick_;
    std::span<const double> reference_;
};

}  // namespace torvex
