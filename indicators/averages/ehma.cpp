#include "indicators/averages/ehma.hpp"

#include "indicators/averages/hma.hpp"

namespace torvex {

std::expected<Ehma, IndicatorError> Ehma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    const HullLengths len = hull_lengths(n);
    return Ehma(len.half, n, len.root);
}

std::optional<double> Ehma::step(double close) {
    const std::optional<double> half = half_.step(close);
    const std::optional<double> full = full_.step(close);
    if (!half || !full) return std::nullopt;
    const double d = 2.0 * *half - *full;
    if (!is_finite(d)) return std::nullopt;
    return smooth_.step(d);
}

}  // namespace torvex
