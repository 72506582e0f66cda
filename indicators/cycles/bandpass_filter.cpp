#include "indicators/cycles/bandpass_filter.hpp"

#include <array>
#include <cmath>
#include <string_view>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, BandpassFilter);

namespace {

double pole_alpha(double n, double bandwidth) {
    const double gamma = 1.0 / std::cos((12.566370614359172 * bandwidth) / n);
    return gamma - std::sqrt(gamma * gamma - 1.0);
}

// The period from which every longer one is bounded at this bandwidth. A period is
// bounded where cos(4π·b/n) >= 0 (alpha in [0, 1]) or = −1 (n = 4b); above n = 8b the
// cosine is positive, so with b below 1 the answer is at most 8. Shorter periods
// where the cosine comes round positive again are bounded too (b = 0.4 at n = 1).
std::uint64_t smallest_bounded_period(double bandwidth) {
    std::uint64_t from = 1;
    for (std::uint64_t n = 1; n <= 16; ++n) {
        if (!BandpassCore::bounded(pole_alpha(static_cast<double>(n), bandwidth))) from = n + 1;
    }
    return from;
}

constexpr std::array<std::string_view, 9> kNeedsPeriod = {
    "bandpass filter diverges at this period for this bandwidth",
    "bandpass filter diverges at this period for this bandwidth",
    "bandpass filter diverges at this period; at this bandwidth every period >= 2 is bounded",
    "bandpass filter diverges at this period; at this bandwidth every period >= 3 is bounded",
    "bandpass filter diverges at this period; at this bandwidth every period >= 4 is bounded",
    "bandpass filter diverges at this period; at this bandwidth every period >= 5 is bounded",
    "bandpass filter diverges at this period; at this bandwidth every period >= 6 is bounded",
    "bandpass filter diverges at this period; at this bandwidth every period >= 7 is bounded",
    "bandpass filter diverges at this period; at this bandwidth every period >= 8 is bounded",
};

}  // namespace

std::expected<BandpassFilter, IndicatorError> BandpassFilter::create(std::uint64_t n, double bandwidth) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(std::isfinite(bandwidth) && bandwidth > 0.0 && bandwidth < 1.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("bandpass bandwidth must be in (0, 1)"));
    }
    const double nf = static_cast<double>(n);
    const double beta = std::cos(6.283185307179586 / nf);
    const double alpha = pole_alpha(nf, bandwidth);
    if (!BandpassCore::bounded(alpha)) {
        const std::uint64_t from = smallest_bounded_period(bandwidth);
        return std::unexpected(IndicatorError::invalid_period(kNeedsPeriod[from < kNeedsPeriod.size() ? from : 0]));
    }
    return BandpassFilter(n, bandwidth, BandpassCore(beta, alpha));
}

}  // namespace torvex
