#include "indicators/momentum/intraday_momentum_index.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, IntradayMomentumIndex);

std::expected<IntradayMomentumIndex, IndicatorError> IntradayMomentumIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return IntradayMomentumIndex(n);
}

}  // namespace torvex
