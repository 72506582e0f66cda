#include "indicators/volatility/average_daily_range.hpp"

#include <algorithm>

namespace torvex {

std::expected<AverageDailyRange, IndicatorError> AverageDailyRange::create(std::uint64_t n,
                                                                           std::int32_t offset_minutes) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AverageDailyRange(n, offset_minutes);
}

std::optional<double> AverageDailyRange::step(const Ohlcv& bar) {
    const std::int64_t date = local_day(local_seconds(bar.ts, offset_));
    if (day_ && *day_ == date) {
        day_high_ = std::max(day_high_, bar.high);
        day_low_ = std::min(day_low_, bar.low);
    } else {
        if (day_) ranges_.push(day_high_ - day_low_);
        day_ = date;
        day_high_ = bar.high;
        day_low_ = bar.low;
    }
    if (ranges_.size() == 0) return std::nullopt;
    return ranges_.sum() / static_cast<double>(ranges_.size());
}

}  // namespace torvex
