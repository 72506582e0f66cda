#include "indicators/momentum/ttm_trend.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TtmTrend);

std::expected<TtmTrend, IndicatorError> TtmTrend::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TtmTrend(n);
}

}  // namespace torvex
