#include "indicators/demark/td_pressure.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TdPressure);

std::expected<TdPressure, IndicatorError> TdPressure::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdPressure(n);
}

}  // namespace torvex
