#include "indicators/momentum/ultimate_oscillator.hpp"

#include <algorithm>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, UltimateOscillator);

std::expected<UltimateOscillator, IndicatorError> UltimateOscillator::create(std::uint64_t p1, std::uint64_t p2,
                                                                           std::uint64_t p3) {
    if (p1 == 0 || p2 == 0 || p3 == 0) return std::unexpected(IndicatorError::zero_period());
    for (std::uint64_t p : {p1, p2, p3}) {
        if (auto ok = check_max_period(p); !ok) return std::unexpected(ok.error());
    }
    return UltimateOscillator(p1, p2, p3, std::max(std::max(p1, p2), p3));
}

}  // namespace torvex
