#include "indicators/averages/jma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Jma);

namespace {

// beta^k by repeated squaring, so the result is the same product sequence for
// every build.
double power_by_squaring(double base, std::uint32_t k) {
    double acc = 1.0;
    while (k > 0) {
        if (k & 1u) acc *= base;
        base *= base;
        k >>= 1;
    }
    return acc;
}

}  // namespace

std::expected<Jma, IndicatorError> Jma::create(std::uint64_t n, double phase, std::uint32_t power) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!is_finite(phase)) return std::unexpected(IndicatorError::invalid_period("JMA phase must be a finite value"));
    if (power < 1 || power > 4) return std::unexpected(IndicatorError::invalid_period("JMA power must be in 1..=4"));
    return Jma(n, phase, power);
}

Jma::Jma(std::uint64_t n, double phase, std::uint32_t power) : period_(n), phase_(phase), power_(power) {
    const double length = static_cast<double>(n - 1) * 0.45;
    beta_ = length / (length + 2.0);
    alpha_ = power_by_squaring(beta_, power);
    phase_ratio_ = std::min(2.5, std::max(0.5, phase / 100.0 + 1.5));
}

}  // namespace torvex
