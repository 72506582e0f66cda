#include "indicators/demark/td_combo.hpp"

namespace torvex {

std::expected<TdCombo, IndicatorError> TdCombo::create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                                       std::uint64_t countdown_lookback,
                                                       std::uint64_t countdown_length) {
    const auto lengths = sequential_lengths(setup_lookback, setup_length, countdown_lookback, countdown_length);
    if (!lengths) return std::unexpected(lengths.error());
    return TdCombo(*lengths);
}

void TdCombo::count(const Ohlcv& bar, const Ohlcv& previous, const Ohlcv& b_back) {
    if (frame_.side == CountSide::Buy) {
        if (bar.close < previous.close && bar.close <= b_back.low && bar.low <= previous.low &&
            frame_.buy_count < frame_.lengths().c) {
            ++frame_.buy_count;
        }
    } else if (frame_.side == CountSide::Sell) {
        if (bar.close > previous.close && bar.close >= b_back.high && bar.high >= previous.high &&
            frame_.sell_count < frame_.lengths().c) {
            ++frame_.sell_count;
        }
    }
}

}  // namespace torvex
