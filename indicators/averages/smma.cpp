#include "indicators/averages/smma.hpp"

namespace torvex {

std::expected<Smma, IndicatorError> Smma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Smma(n);
}

double Smma::next(double value, double close) const {
    const double n = static_cast<double>(period());
    return (close + (n - 1.0) * value) / n;
}

}  // namespace torvex
