#include "indicators/momentum/stochastic.hpp"

namespace torvex {

std::expected<Stochastic, IndicatorError> Stochastic::create(std::uint64_t k_period, std::uint64_t d_period) {
    if (k_period == 0 || d_period == 0) return std::unexpected(IndicatorError::zero_period());
    auto d_average = SmaCore::create(d_period);
    if (!d_average) return std::unexpected(d_average.error());
    if (auto ok = check_max_period(k_period); !ok) return std::unexpected(ok.error());
    return Stochastic(k_period, std::move(*d_average));
}

std::optional<std::array<double, 2>> Stochastic::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    index_ += 1;
    // An index has left the window of the last k bars once index + k <= newest; the
    // test is written so that no unsigned difference can wrap.
    while (!highs_.empty() && highs_.front().index + k_period_ <= index_) highs_.pop_front();
    while (!lows_.empty() && lows_.front().index + k_period_ <= index_) lows_.pop_front();
    while (!highs_.empty() && highs_.back().value <= bar.high) highs_.pop_back();
    while (!lows_.empty() && lows_.back().value >= bar.low) lows_.pop_back();
    highs_.push({index_, bar.high});
    lows_.push({index_, bar.low});
    if (index_ < k_period_) return std::nullopt;

    const double hh = highs_.front().value;
    const double ll = lows_.front().value;
    const double range = hh - ll;
    const double k = range == 0.0 ? 50.0 : ((bar.close - ll) * 100.0) / range;
    const std::optional<double> d = d_average_.step(k);
    if (!d) return std::nullopt;
    return std::array<double, 2>{k, *d};
}

}  // namespace torvex
