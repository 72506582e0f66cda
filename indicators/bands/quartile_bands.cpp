#include "indicators/bands/quartile_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, QuartileBands, 3);

std::expected<QuartileBands, IndicatorError> QuartileBands::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return QuartileBands(std::move(*window));
}

}  // namespace torvex
