#include "indicators/trend/aroon_oscillator.hpp"

#include <utility>

namespace torvex {

std::expected<AroonOscillator, IndicatorError> AroonOscillator::create(std::uint64_t n) {
    auto window = AroonWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return AroonOscillator(std::move(*window));
}

std::optional<double> AroonOscillator::step(const Ohlcv& bar) {
    const std::optional<AroonPair> aroon = window_.step(bar);
    if (!aroon) return std::nullopt;
    last_ = aroon->up - aroon->down;
    return last_;
}

}  // namespace torvex
