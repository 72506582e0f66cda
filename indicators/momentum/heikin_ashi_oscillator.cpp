#include "indicators/momentum/heikin_ashi_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, HeikinAshiOscillator);

std::expected<HeikinAshiOscillator, IndicatorError> HeikinAshiOscillator::create(std::uint64_t n) {
    auto average = SeededEma::create(n);
    if (!average) return std::unexpected(average.error());
    return HeikinAshiOscillator(*average);
}

}  // namespace torvex
