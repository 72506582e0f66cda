#include "indicators/risk/upside_potential_ratio.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, UpsidePotentialRatio);

std::expected<UpsidePotentialRatio, IndicatorError> UpsidePotentialRatio::create(std::uint64_t n, double mar) {
    if (auto ok = check_min_period(n, 2, "upside potential ratio needs period >= 2"); !ok) {
        return std::unexpected(ok.error());
    }
    if (!std::isfinite(mar)) return std::unexpected(IndicatorError::invalid_parameter("mar must be finite"));
    return UpsidePotentialRatio(n, mar);
}

}  // namespace torvex
