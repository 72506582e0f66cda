#include "indicators/derivatives/funding_implied_apr.hpp"

namespace torvex {

std::expected<FundingImpliedApr, IndicatorError> FundingImpliedApr::create(double intervals_per_year) {
    if (!is_finite(intervals_per_year) || !(intervals_per_year > 0.0)) {
        return std::unexpected(
            IndicatorError::invalid_parameter("intervals_per_year must be finite and positive"));
    }
    return FundingImpliedApr(intervals_per_year);
}

}  // namespace torvex
