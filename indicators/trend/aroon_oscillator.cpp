#include "indicators/trend/aroon_oscillator.hpp"

#include <utility>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AroonOscillator);

std::expected<AroonOscillator, IndicatorError> AroonOscillator::create(std::uint64_t n) {
    auto window = AroonWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return AroonOscillator(std::move(*window));
}

}  // namespace torvex
