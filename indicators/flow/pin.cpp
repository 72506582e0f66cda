#include "indicators/flow/pin.hpp"

#include <cmath>

namespace torvex {

std::expected<Pin, IndicatorError> Pin::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return Pin(period);
}

std::optional<double> Pin::step(const BarContext& ctx) {
    for (const Trade& t : ctx.trades) {
        const bool buy = !t.is_sell;
        if (const std::optional<bool> left = buys_.push(buy); left && *left) buy_count_ -= 1;
        if (buy) buy_count_ += 1;
    }
    if (!buys_.full()) return std::nullopt;
    const double n = static_cast<double>(period_);
    return std::fabs(2.0 * static_cast<double>(buy_count_) - n) / n;
}

}  // namespace torvex
