#include "indicators/demark/td_countdown.hpp"

namespace torvex {

std::expected<TdCountdown, IndicatorError> TdCountdown::create(std::uint64_t setup_lookback,
                                                               std::uint64_t setup_length,
                                                               std::uint64_t countdown_lookback,
                                                               std::uint64_t countdown_length) {
    const auto lengths = sequential_lengths(setup_lookback, setup_length, countdown_lookback, countdown_length);
    if (!lengths) return std::unexpected(lengths.error());
    return TdCountdown(*lengths);
}

void TdCountdown::count(const Ohlcv& bar, const Ohlcv& /*previous*/, const Ohlcv& b_back) {
    // A NaN qualifier fails both comparisons, so the last count waits for one.
    if (frame_.side == CountSide::Buy && bar.close <= b_back.low) {
        qualifier_.advance(frame_.buy_count, frame_.lengths().c, bar.low <= qualifier_.close, bar.close);
    } else if (frame_.side == CountSide::Sell && bar.close >= b_back.high) {
        qualifier_.advance(frame_.sell_count, frame_.lengths().c, bar.high >= qualifier_.close, bar.close);
    }
}

}  // namespace torvex
