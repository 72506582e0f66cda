#include "indicators/cores/projection_bands_core.hpp"

#include <limits>

#include "indicators/cores/projection_slope.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

std::expected<ProjectionBandsCore, IndicatorError> ProjectionBandsCore::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("projection bands need period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return ProjectionBandsCore(n);
}

std::optional<ProjectionPoint> ProjectionBandsCore::step(double high, double low) {
    highs_.push(high);
    lows_.push(low);
    if (!highs_.full()) return std::nullopt;
    const double slope_h = window_slope(highs_, pos_);
    const double slope_l = window_slope(lows_, pos_);
    double upper = -std::numeric_limits<double>::infinity();
    double lower = std::numeric_limits<double>::infinity();
    const std::size_t n = highs_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double offset = static_cast<double>((n - 1) - i);
        const double ph = highs_[i] + slope_h * offset;
        const double pl = lows_[i] + slope_l * offset;
        if (ph > upper) upper = ph;
        if (pl < lower) lower = pl;
    }
    return ProjectionPoint{upper, midpoint(upper, lower), lower};
}

}  // namespace torvex
