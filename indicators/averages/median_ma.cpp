#include "indicators/averages/median_ma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, MedianMa);

std::expected<MedianMa, IndicatorError> MedianMa::create(std::uint64_t n) {
    // The window's own zero message is not this indicator's: test the length first.
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return MedianMa(std::move(*window));
}

}  // namespace torvex
