#include "indicators/momentum/zero_lag_macd.hpp"

#include "indicators/cores/macd_core.hpp"

namespace torvex {

std::expected<ZeroLagMacd, IndicatorError> ZeroLagMacd::create(std::uint64_t fast, std::uint64_t slow,
                                                               std::uint64_t signal) {
    constexpr std::string_view kOrder = "ZeroLagMACD fast period must be strictly less than slow";
    if (auto ok = check_macd_periods(fast, slow, signal, kOrder); !ok) return std::unexpected(ok.error());
    return ZeroLagMacd(*ZlemaCore::create(fast), *ZlemaCore::create(slow), *ZlemaCore::create(signal));
}

std::optional<std::array<double, 3>> ZeroLagMacd::step(const BarContext& ctx) {
    const double close = ctx.candle.close;
    if (!is_finite(close)) return std::nullopt;
    const std::optional<double> fast = fast_.step(close);
    const std::optional<double> slow = slow_.step(close);
    if (!fast || !slow) return std::nullopt;
    const double macd = *fast - *slow;
    const std::optional<double> signal = signal_.step(macd);
    if (!signal) return std::nullopt;
    return std::array<double, 3>{macd, *signal, macd - *signal};
}

}  // namespace torvex
