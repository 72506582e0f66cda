#include "indicators/momentum/williams_r.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, WilliamsR);

std::expected<WilliamsR, IndicatorError> WilliamsR::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WilliamsR(n);
}

}  // namespace torvex
