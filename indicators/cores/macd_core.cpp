#include "indicators/cores/macd_core.hpp"

#include "indicators/bar.hpp"

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

bool MacdCore::step(double x) {
    const auto fast = fast_.step(x);
    const auto slow = slow_.step(x);
    if (!fast || !slow) return false;
    const double macd = *fast - *slow;
    if (!is_finite(macd)) return false;
    const auto signal = signal_ema_.step(macd);
    if (!signal) return false;
    macd_ = macd;
    signal_ = *signal;
    histogram_ = macd - *signal;
    has_value_ = true;
    return true;
}

}  // namespace torvex
