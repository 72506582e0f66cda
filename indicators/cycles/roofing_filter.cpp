#include "indicators/cycles/roofing_filter.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RoofingFilter);

std::expected<RoofingFilter, IndicatorError> RoofingFilter::create(std::uint64_t lp_period, std::uint64_t hp_period) {
    if (lp_period == 0 || hp_period == 0) return std::unexpected(IndicatorError::zero_period());
    if (lp_period >= hp_period) {
        return std::unexpected(IndicatorError::invalid_period("lp_period must be strictly less than hp_period"));
    }
    if (auto ok = check_max_period(lp_period); !ok) return std::unexpected(ok.error());
    return RoofingFilter(lp_period, hp_period);
}

}  // namespace torvex
