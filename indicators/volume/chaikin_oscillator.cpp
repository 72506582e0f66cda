#include "indicators/volume/chaikin_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ChaikinOscillator);

std::expected<ChaikinOscillator, IndicatorError> ChaikinOscillator::create(std::uint64_t fast,
                                                                           std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("Chaikin Oscillator needs fast < slow"));
    if (fast > MAX_PERIOD || slow > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return ChaikinOscillator(fast, slow);
}

}  // namespace torvex
