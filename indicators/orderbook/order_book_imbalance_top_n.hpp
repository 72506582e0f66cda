// Depth imbalance over the best `levels` levels of each side of the book.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/orderbook/order_book_measures.hpp"

namespace torvex {

class OrderBookImbalanceTopN final : public BookIndicator<OrderBookImbalanceTopN> {
public:
    static std::expected<OrderBookImbalanceTopN, IndicatorError> create(std::uint64_t levels);

    // Unlike the best-level measure, a side without levels counts as zero depth.
    std::optional<double> step(const OrderBook& book) const { return book_formula::depth_imbalance(book, levels_); }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit OrderBookImbalanceTopN(std::uint64_t levels) : levels_(levels) {}

    std::uint64_t levels_;
};

}  // namespace torvex
