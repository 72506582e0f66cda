// Average daily range: the mean high-to-low range of the last n completed local
// days, the day taken in a fixed UTC offset.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AverageDailyRange final : public CandleIndicator<AverageDailyRange> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod. The offset is not checked.
    static std::expected<AverageDailyRange, IndicatorError> create(std::uint64_t n, std::int32_t offset_minutes);

    // Tracks the current day's high and low; a bar of a new local date completes
    // the day before. Answers the mean of the completed days held (up to n), also on
    // bars inside a day; nothing before the first day completes.
    std::optional<double> step(const Ohlcv& bar) {
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
    std::uint64_t warmup() const override { return ranges_.period(); }

private:
    AverageDailyRange(std::uint64_t n, std::int32_t offset) : ranges_(n), offset_(offset) {}

    // The local day number of the day being tracked: two bars share a civil date
    // exactly when their day numbers are equal.
    std::optional<std::int64_t> day_;
    // The completed days' ranges with their sum, re-added every n days and as a
    // range that dwarfed the others leaves.
    ResummedRing ranges_;
    double day_high_ = -std::numeric_limits<double>::infinity();
    double day_low_ = std::numeric_limits<double>::infinity();
    std::int32_t offset_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AverageDailyRange);

}  // namespace torvex
