#include "indicators/averages/geometric_ma.hpp"

#include <cmath>

namespace torvex {

std::expected<GeometricMa, IndicatorError> GeometricMa::create(std::uint64_t n) {
    auto logs = SummedWindow::create(n, n);
    if (!logs) return std::unexpected(logs.error());
    return GeometricMa(std::move(*logs));
}

std::optional<double> GeometricMa::step(double close) {
    if (!(close > 0.0)) return std::nullopt;
    const double l = std::log(close);
    // The oldest logarithm leaves before the new one comes in; the re-sum then adds
    // exactly the n held.
    if (logs_.full()) logs_.drop_oldest();
    logs_.append(l);
    logs_.count_update();
    if (!logs_.full()) return std::nullopt;
    return std::exp(logs_.sum() / static_cast<double>(logs_.period()));
}

}  // namespace torvex
