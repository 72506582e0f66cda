#include "indicators/demark/td_sequential.hpp"

#include <cmath>

namespace torvex {

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

std::optional<std::array<double, 3>> TdSequential::step(const BarContext& ctx) {
    if (!frame_.advance(ctx.candle, *this)) return std::nullopt;
    const SetupCount& setup = frame_.setup();
    const double run = setup.buy > 0    ? static_cast<double>(setup.buy)
                       : setup.sell > 0 ? -static_cast<double>(setup.sell)
                                        : 0.0;
    const double direction = frame_.side == CountSide::Buy    ? 1.0
                             : frame_.side == CountSide::Sell ? -1.0
                                                              : 0.0;
    return std::array<double, 3>{run, frame_.signed_count(), direction};
}

}  // namespace torvex
