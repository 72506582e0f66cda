#include "indicators/cycles/empirical_mode_decomposition.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, EmpiricalModeDecomposition);

std::expected<EmpiricalModeDecomposition, IndicatorError> EmpiricalModeDecomposition::create(std::uint64_t n,
                                                                                             double fraction) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(std::isfinite(fraction) && fraction > 0.0 && fraction <= 1.0)) {
        return std::unexpected(IndicatorError::invalid_period("fraction must be in (0, 1]"));
    }
    const double nf = static_cast<double>(n);
    const double beta = std::cos(6.283185307179586 / nf);
    const double gamma = 1.0 / std::cos(1.2566370614359172 / nf);
    const double alpha = gamma - std::sqrt(gamma * gamma - 1.0);
    // Its band-pass has a fixed bandwidth of 0.1: cos(0.4π/n) is positive and alpha in
    // (0, 1) at every period, and at periods 1 and 2 (beta = ±1) the pole on the unit
    // circle is cancelled by the input's (1 − L²), so every period is bounded.
    return EmpiricalModeDecomposition(n, fraction, BandpassCore(beta, alpha));
}

}  // namespace torvex
