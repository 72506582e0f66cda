#include "indicators/averages/geometric_ma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, GeometricMa);

std::expected<GeometricMa, IndicatorError> GeometricMa::create(std::uint64_t n) {
    auto logs = SummedWindow::create(n, n);
    if (!logs) return std::unexpected(logs.error());
    return GeometricMa(std::move(*logs));
}

}  // namespace torvex
