#include "indicators/volume/rolling_vwap.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, RollingVwap);

std::expected<RollingVwap, IndicatorError> RollingVwap::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return RollingVwap(n);
}

}  // namespace torvex
