#include "indicators/volatility/average_daily_range.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AverageDailyRange);

std::expected<AverageDailyRange, IndicatorError> AverageDailyRange::create(std::uint64_t n,
                                                                           std::int32_t offset_minutes) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AverageDailyRange(n, offset_minutes);
}

}  // namespace torvex
