#include "indicators/trend/aroon.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Aroon, 2);

std::expected<Aroon, IndicatorError> Aroon::create(std::uint64_t n) {
    auto window = AroonWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return Aroon(std::move(*window));
}

}  // namespace torvex
