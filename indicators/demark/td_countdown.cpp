#include "indicators/demark/td_countdown.hpp"

namespace torvex {

std::expected<TdCountdown, IndicatorError> TdCountdown::create(std::uint64_t setup_lookback,
                                                               std::uint64_t setup_length,
                                                               std::uint64_t countdown_lookback,
                                                               std::uint64_t countdown_length) {
    const SequentialLengths lengths{setup_lookback, setup_length, countdown_lookback, countdown_length};
    if (auto ok = lengths.check(); !ok) return std::unexpected(ok.error());
    return TdCountdown(lengths);
}

void TdCountdown::advance(std::uint64_t& k, bool qualified, double close) {
    const std::uint64_t c = lengths_.c;
    if (k < c && (k + 1 < c || qualified)) {
        ++k;
        // "k + 5 == c", written so that it cannot wrap.
        if (c >= 5 && k == c - 5) qualifier_ = close;
    }
}

void TdCountdown::count(const Ohlcv& bar, const Ohlcv& /*previous*/, const Ohlcv& b_back) {
    // A NaN qualifier fails both comparisons, so the last count waits for one.
    if (side_ == CountSide::Buy && bar.close <= b_back.low) {
        advance(buy_count_, bar.low <= qualifier_, bar.close);
    } else if (side_ == CountSide::Sell && bar.close >= b_back.high) {
        advance(sell_count_, bar.high >= qualifier_, bar.close);
    }
}

}  // namespace torvex
