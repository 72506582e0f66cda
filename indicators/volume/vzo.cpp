#include "indicators/volume/vzo.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Vzo);

std::expected<Vzo, IndicatorError> Vzo::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Vzo(n);
}

}  // namespace torvex
