#include "indicators/statistics/rolling_min_max_scaler.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RollingMinMaxScaler);

std::expected<RollingMinMaxScaler, IndicatorError> RollingMinMaxScaler::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("min-max scaler needs period >= 2"));
    return RollingMinMaxScaler(n);
}

}  // namespace torvex
