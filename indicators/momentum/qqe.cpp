#include "indicators/momentum/qqe.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Qqe, 2);

std::expected<Qqe, IndicatorError> Qqe::create(std::uint64_t rsi_period, std::uint64_t smoothing, double factor) {
    if (rsi_period == 0 || smoothing == 0) return std::unexpected(IndicatorError::zero_period());
    if (!is_finite(factor) || !(factor > 0.0))
        return std::unexpected(IndicatorError::invalid_period("QQE factor must be a finite positive value"));
    auto rsi = RsiCore::create(rsi_period);
    if (!rsi) return std::unexpected(rsi.error());
    // The RSI constructor has bounded rsi_period, so 2·rsi_period − 1 cannot wrap.
    const std::uint64_t wilders = 2 * rsi_period - 1;
    if (auto ok = check_max_period(smoothing); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(wilders); !ok) return std::unexpected(ok.error());
    return Qqe(std::move(*rsi), smoothing, wilders, factor);
}

}  // namespace torvex
