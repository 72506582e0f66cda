#include "indicators/bands/bollinger_bandwidth.hpp"

namespace torvex {

std::expected<BollingerBandwidth, IndicatorError> BollingerBandwidth::create(std::uint64_t n, double k) {
    auto bands = BollingerCore::create(n, k);
    if (!bands) return std::unexpected(bands.error());
    return BollingerBandwidth(std::move(*bands));
}

std::optional<double> BollingerBandwidth::step(double close) {
    const std::optional<BandPoint> b = bands_.step(close);
    if (!b) return std::nullopt;
    if (b->middle == 0.0) return 0.0;
    return (b->upper - b->lower) / b->middle;
}

}  // namespace torvex
