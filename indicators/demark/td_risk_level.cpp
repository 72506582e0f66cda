#include "indicators/demark/td_risk_level.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, TdRiskLevel, 2);

std::expected<TdRiskLevel, IndicatorError> TdRiskLevel::create(std::uint64_t lookback, std::uint64_t run_length) {
    if (lookback == 0 || run_length == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(lookback); !ok) return std::unexpected(ok.error());
    return TdRiskLevel(lookback, run_length);
}

}  // namespace torvex
