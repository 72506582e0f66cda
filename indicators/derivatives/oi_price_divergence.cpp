#include "indicators/derivatives/oi_price_divergence.hpp"

namespace torvex {

std::expected<OIPriceDivergence, IndicatorError> OIPriceDivergence::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return OIPriceDivergence(period);
}

std::optional<double> OIPriceDivergence::step(const DerivativesTick& tick) {
    window_.push({tick.open_interest, tick.mark_price});
    if (window_.size() < period_ + 1) return std::nullopt;
    const Sample& first = window_.front();
    const Sample& last = window_.back();
    const double oi_change =
        first.open_interest == 0.0 ? 0.0 : (last.open_interest - first.open_interest) / first.open_interest;
    // The price change divides unguarded: a zero mark gives a non-finite answer for
    // that bar only, since nothing is carried forward but the raw samples.
    const double price_change = (last.mark_price - first.mark_price) / first.mark_price;
    return oi_change - price_change;
}

}  // namespace torvex
