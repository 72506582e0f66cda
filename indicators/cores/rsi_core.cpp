#include "indicators/cores/rsi_core.hpp"

namespace torvex {

double seed_mean(const std::vector<double>& seed) {
    double s = -0.0;
    for (double v : seed) s += v;
    return s / static_cast<double>(seed.size());
}

RsiCore::RsiCore(std::uint64_t n)
    : period_(n), n_minus_1_(static_cast<double>(n - 1)), inv_n_(1.0 / static_cast<double>(n)) {}

std::expected<RsiCore, IndicatorError> RsiCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return RsiCore(n);
}

}  // namespace torvex
