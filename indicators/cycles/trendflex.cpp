#include "indicators/cycles/trendflex.hpp"

namespace torvex {

std::expected<Trendflex, IndicatorError> Trendflex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Trendflex(n);
}

std::optional<double> Trendflex::step(double close) {
    return body_.step(close, [](std::span<const double> w) {
        const std::size_t n = w.size() - 1;
        const double newest = w[n];
        double sum = 0.0;
        for (std::size_t k = 1; k <= n; ++k) sum = sum + (newest - w[n - k]);
        return sum / static_cast<double>(n);
    });
}

}  // namespace torvex
