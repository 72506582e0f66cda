#include "indicators/demark/td_combo.hpp"

namespace torvex {

std::expected<TdCombo, IndicatorError> TdCombo::create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                                       std::uint64_t countdown_lookback,
                                                       std::uint64_t countdown_length) {
    const SequentialLengths lengths{setup_lookback, setup_length, countdown_lookback, countdown_length};
    if (auto ok = lengths.check(); !ok) return std::unexpected(ok.error());
    return TdCombo(lengths);
}

void TdCombo::count(const Ohlcv& bar, const Ohlcv& previous, const Ohlcv& b_back) {
    if (side_ == CountSide::Buy) {
        if (bar.close < previous.close && bar.close <= b_back.low && bar.low <= previous.low &&
            buy_count_ < lengths_.c) {
            ++buy_count_;
        }
    } else if (side_ == CountSide::Sell) {
        if (bar.close > previous.close && bar.close >= b_back.high && bar.high >= previous.high &&
            sell_count_ < lengths_.c) {
            ++sell_count_;
        }
    }
}

}  // namespace torvex
