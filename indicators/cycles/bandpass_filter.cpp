#include "indicators/cycles/bandpass_filter.hpp"

#include <cmath>

namespace torvex {

std::expected<BandpassFilter, IndicatorError> BandpassFilter::create(std::uint64_t n, double bandwidth) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(std::isfinite(bandwidth) && bandwidth > 0.0 && bandwidth < 1.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("bandpass bandwidth must be in (0, 1)"));
    }
    const double nf = static_cast<double>(n);
    const double beta = std::cos(6.283185307179586 / nf);
    const double gamma = 1.0 / std::cos((12.566370614359172 * bandwidth) / nf);
    const double alpha = gamma - std::sqrt(gamma * gamma - 1.0);
    return BandpassFilter(n, bandwidth, BandpassCore(beta, alpha));
}

}  // namespace torvex
