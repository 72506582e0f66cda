#include "indicators/demark/td_setup.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TdSetup);

std::expected<TdSetup, IndicatorError> TdSetup::create(std::uint64_t lookback, std::uint64_t cap) {
    if (lookback == 0 || cap == 0) return std::unexpected(IndicatorError::zero_period());
    // The ring holds L + 1 closes; the count cap needs no storage and stays unbounded.
    if (auto ok = check_max_period(lookback); !ok) return std::unexpected(ok.error());
    return TdSetup(lookback, cap);
}

}  // namespace torvex
