#include "indicators/profiles/turn_of_month.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TurnOfMonth);

std::expected<TurnOfMonth, IndicatorError> TurnOfMonth::create(std::uint32_t first_days, std::uint32_t last_days,
                                                               std::int32_t offset_minutes) {
    if (first_days == 0 && last_days == 0) return std::unexpected(IndicatorError::zero_period());
    return TurnOfMonth(first_days, last_days, offset_minutes);
}

bool TurnOfMonth::qualifies(std::int64_t day) const {
    const CivilDate d = civil_from_days(day);
    const std::uint32_t length = days_in_month(d.year, d.month);
    const std::uint32_t tail_start = last_days_ > length ? 0 : length - last_days_;
    return d.day <= first_ || d.day > tail_start;
}

}  // namespace torvex
