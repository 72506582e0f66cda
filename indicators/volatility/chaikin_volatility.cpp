#include "indicators/volatility/chaikin_volatility.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ChaikinVolatility);

std::expected<ChaikinVolatility, IndicatorError> ChaikinVolatility::create(std::uint64_t e, std::uint64_t r) {
    if (auto ok = check_period(e); !ok) return std::unexpected(ok.error());
    if (auto ok = check_period(r); !ok) return std::unexpected(ok.error());
    return ChaikinVolatility(e, r);
}

}  // namespace torvex
