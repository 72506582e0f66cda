#include "indicators/momentum/disparity_index.hpp"

namespace torvex {

std::expected<DisparityIndex, IndicatorError> DisparityIndex::create(std::uint64_t n) {
    auto mean = SmaCore::create(n);
    if (!mean) return std::unexpected(mean.error());
    return DisparityIndex(std::move(*mean));
}

std::optional<double> DisparityIndex::step(double close) {
    const std::optional<double> m = mean_.step(close);
    if (!m) return std::nullopt;
    if (*m == 0.0) return 0.0;
    return 100.0 * (close - *m) / *m;
}

}  // namespace torvex
