#include "indicators/cycles/reflex.hpp"

namespace torvex {

std::expected<Reflex, IndicatorError> Reflex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Reflex(n);
}

std::optional<double> Reflex::step(double close) {
    return body_.step(close, [](std::span<const double> w) {
        const std::size_t n = w.size() - 1;
        const double nf = static_cast<double>(n);
        const double newest = w[n];
        const double slope = (w[0] - newest) / nf;
        double sum = 0.0;
        for (std::size_t i = 1; i <= n; ++i) sum = ((static_cast<double>(i) * slope + newest) - w[n - i]) + sum;
        return sum / nf;
    });
}

}  // namespace torvex
