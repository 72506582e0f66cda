#include "indicators/demark/td_sequential.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, TdSequential, 3);

std::expected<TdSequential, IndicatorError> TdSequential::create(std::uint64_t setup_lookback,
                                                                 std::uint64_t setup_length,
                                                                 std::uint64_t countdown_lookback,
                                                                 std::uint64_t countdown_length) {
    const auto lengths = sequential_lengths(setup_lookback, setup_length, countdown_lookback, countdown_length);
    if (!lengths) return std::unexpected(lengths.error());
    return TdSequential(*lengths);
}

void TdSequential::count(const Ohlcv& bar, const Ohlcv& /*previous*/, const Ohlcv& b_back) {
    const double ref = reference_.close;
    const std::uint64_t c = frame_.lengths().c;
    if (frame_.side == CountSide::Buy && bar.close <= b_back.low) {
        reference_.advance(frame_.buy_count, c, std::isnan(ref) || bar.low <= ref, bar.close);
    } else if (frame_.side == CountSide::Sell && bar.close >= b_back.high) {
        reference_.advance(frame_.sell_count, c, std::isnan(ref) || bar.high >= ref, bar.close);
    }
}

}  // namespace torvex
