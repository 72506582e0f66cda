#include "indicators/orderbook/order_book_imbalance_top_n.hpp"

namespace torvex {

std::expected<OrderBookImbalanceTopN, IndicatorError> OrderBookImbalanceTopN::create(std::uint64_t levels) {
    if (auto ok = check_period(levels); !ok) return std::unexpected(ok.error());
    return OrderBookImbalanceTopN(levels);
}

}  // namespace torvex
