#include "indicators/trend/aroon_oscillator.hpp"

#include <utility>

namespace torvex {

std::expected<AroonOscillator, IndicatorError> AroonOscillator::create(std::uint64_t n) {
    auto window = AroonWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return AroonOscillator(std::move(*window));
}

}  // namespace torvex
