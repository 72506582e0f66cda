#include "indicators/cores/macd_core.hpp"

namespace torvex {

Checked check_macd_periods(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal,
                           std::string_view order_message) {
    if (fast == 0 || slow == 0 || signal == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period(order_message));
    for (std::uint64_t n : {fast, slow, signal}) {
        if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    }
    return {};
}

std::expected<MacdCore, IndicatorError> MacdCore::create(std::uint64_t fast, std::uint64_t slow,
                                                         std::uint64_t signal) {
    if (auto ok = check_macd_periods(fast, slow, signal); !ok) return std::unexpected(ok.error());
    return MacdCore(SeededEma(fast), SeededEma(slow), SeededEma(signal));
}

}  // namespace torvex
