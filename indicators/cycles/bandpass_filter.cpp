#include "indicators/cycles/bandpass_filter.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, BandpassFilter);

std::expected<BandpassFilter, IndicatorError> BandpassFilter::create(std::uint64_t n, double bandwidth) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(std::isfinite(bandwidth) && bandwidth > 0.0 && bandwidth < 1.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("bandpass bandwidth must be in (0, 1)"));
    }
    const double nf = static_cast<double>(n);
    const double beta = std::cos(6.283185307179586 / nf);
    const double gamma = 1.0 / std::cos((12.566370614359172 * bandwidth) / nf);
    const double alpha = gamma - std::sqrt(gamma * gamma - 1.0);
    if (std::fabs(beta) >= 1.0) {
        return std::unexpected(IndicatorError::invalid_period("bandpass filter needs period >= 3"));
    }
    if (!BandpassCore::stable(beta, alpha)) {
        // alpha = 1 only where cos(4π·b/n) rounds to 1: a band too narrow to hold
        // a pole off the unit circle.
        return std::unexpected(IndicatorError::invalid_parameter(
            alpha > 0.0 ? "bandpass bandwidth too narrow for the period" : "bandpass bandwidth must be below period / 8"));
    }
    return BandpassFilter(n, bandwidth, BandpassCore(beta, alpha));
}

}  // namespace torvex
