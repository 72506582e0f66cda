#include "indicators/bands/quartile_bands.hpp"

namespace torvex {

std::expected<QuartileBands, IndicatorError> QuartileBands::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return QuartileBands(std::move(*window));
}

}  // namespace torvex
