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
        if (day_) {
            const double range = day_high_ - day_low_;
            const std::optional<double> old = ranges_.push(range);
            sum_ += range;
            if (old) sum_ -= *old;
            if (old && !is_finite(*old)) {
                double sum = 0.0;
                ranges_.for_each([&sum](double v) { sum += v; });
                sum_ = sum;
            }
        }
        day_ = date;
        day_high_ = bar.high;
        day_low_ = bar.low;
    }
    if (ranges_.empty()) return std::nullopt;
    return sum_ / static_cast<double>(ranges_.size());
}

}  // namespace torvex
