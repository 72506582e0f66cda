#include "indicators/demark/td_setup.hpp"

namespace torvex {

std::expected<TdSetup, IndicatorError> TdSetup::create(std::uint64_t lookback, std::uint64_t cap) {
    if (lookback == 0 || cap == 0) return std::unexpected(IndicatorError::zero_period());
    // The ring holds L + 1 closes; the count cap needs no storage and stays unbounded.
    if (auto ok = check_max_period(lookback); !ok) return std::unexpected(ok.error());
    return TdSetup(lookback, cap);
}

std::optional<double> TdSetup::step(const Ohlcv& bar) {
    const std::optional<double> reference = closes_.push(bar.close);
    if (!reference) return std::nullopt;
    count_.step(bar.close, *reference, cap_);
    if (count_.buy > 0) return static_cast<double>(count_.buy);
    if (count_.sell > 0) return -static_cast<double>(count_.sell);
    return 0.0;
}

}  // namespace torvex
