#include "indicators/patterns/pivot_reversal.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, PivotReversal);

std::expected<PivotReversal, IndicatorError> PivotReversal::create(std::uint64_t left, std::uint64_t right) {
    if (left == 0 || right == 0) return std::unexpected(IndicatorError::zero_period());
    // The ring holds L + R + 1 bars: each side is bounded like any window length.
    if (auto ok = check_max_period(left); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(right); !ok) return std::unexpected(ok.error());
    return PivotReversal(left, right);
}

}  // namespace torvex
