#include "indicators/profiles/turn_of_month.hpp"

namespace torvex {

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

std::optional<double> TurnOfMonth::step(const Ohlcv& bar) {
    const std::int64_t date = local_day(local_seconds(bar.ts, offset_));
    if (date_ && *date_ == date) {
        last_close_ = bar.close;
    } else {
        if (date_) {
            if (prev_day_close_) {
                const double r = *prev_day_close_ == 0.0 ? 0.0 : last_close_ / *prev_day_close_ - 1.0;
                if (qualifies(*date_)) {
                    sum_ += r;
                    count_ += 1;
                }
            }
            prev_day_close_ = last_close_;
        }
        date_ = date;
        last_close_ = bar.close;
    }
    if (count_ == 0) return std::nullopt;
    return sum_ / static_cast<double>(count_);
}

}  // namespace torvex
