#include "indicators/momentum/rvi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Rvi);

std::expected<Rvi, IndicatorError> Rvi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Rvi(n);
}

}  // namespace torvex
