#include "indicators/averages/smoothed_heikin_ashi.hpp"

namespace torvex {

std::expected<SmoothedHeikinAshi, IndicatorError> SmoothedHeikinAshi::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return SmoothedHeikinAshi(period);
}

std::optional<std::array<double, 4>> SmoothedHeikinAshi::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const std::optional<double> so = open_.step(bar.open);
    const std::optional<double> sh = high_.step(bar.high);
    const std::optional<double> sl = low_.step(bar.low);
    const std::optional<double> sc = close_.step(bar.close);
    if (!sc || !so || !sh || !sl) return std::nullopt;
    return candles_.next(*so, *sh, *sl, *sc);
}

}  // namespace torvex
