#include "indicators/bands/percent_b.hpp"

namespace torvex {

std::expected<PercentB, IndicatorError> PercentB::create(std::uint64_t n, double k) {
    auto bands = BollingerCore::create(n, k);
    if (!bands) return std::unexpected(bands.error());
    return PercentB(std::move(*bands));
}

std::optional<double> PercentB::step(double close) {
    const std::optional<BandPoint> b = bands_.step(close);
    if (!b) return std::nullopt;
    const double width = b->upper - b->lower;
    // Coinciding bands put the close in the middle.
    if (width == 0.0) return 0.5;
    return (close - b->lower) / width;
}

}  // namespace torvex
