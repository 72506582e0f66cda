#include "indicators/momentum/ttm_trend.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TtmTrend);

std::expected<TtmTrend, IndicatorError> TtmTrend::create(std::uint64_t n) {
    auto average = FlatExactSma::create(n);
    if (!average) return std::unexpected(average.error());
    return TtmTrend(std::move(*average));
}

}  // namespace torvex
