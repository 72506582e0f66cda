#include "indicators/momentum/mid_price.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, MidPrice);

std::expected<MidPrice, IndicatorError> MidPrice::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return MidPrice(n);
}

}  // namespace torvex
