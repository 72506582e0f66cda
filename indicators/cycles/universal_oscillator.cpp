#include "indicators/cycles/universal_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, UniversalOscillator);

std::expected<UniversalOscillator, IndicatorError> UniversalOscillator::create(std::uint64_t band_edge) {
    if (auto ok = check_period(band_edge); !ok) return std::unexpected(ok.error());
    return UniversalOscillator(band_edge);
}

}  // namespace torvex
