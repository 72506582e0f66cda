// Turn-of-month effect: the mean close-to-close return of the completed local days
// that are among the first F or the last L days of their month.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TurnOfMonth final : public CandleIndicator<TurnOfMonth> {
public:
    // F = 0 together with L = 0: ZeroPeriod. The offset in minutes is not checked.
    static std::expected<TurnOfMonth, IndicatorError> create(std::uint32_t first_days, std::uint32_t last_days,
                                                             std::int32_t offset_minutes);

    // A day's return is its last close against the last close of the day before;
    // it is counted when the day ends (a bar of another local date comes). Nothing
    // until a qualifying day has been counted.
    std::optional<double> step(const Ohlcv& bar) {
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
    // Declared as 2; the first value needs a qualifying day that ends after a
    // complete day before it.
    std::uint64_t warmup() const override { return 2; }

private:
    TurnOfMonth(std::uint32_t f, std::uint32_t l, std::int32_t offset) : first_(f), last_days_(l), offset_(offset) {}

    // True for a day (a local day number) among the first F or the last L of its month.
    bool qualifies(std::int64_t day) const;

    std::optional<std::int64_t> date_;  // local day number of the latest bar
    std::optional<double> prev_day_close_;
    double last_close_ = 0.0;
    double sum_ = 0.0;
    std::uint64_t count_ = 0;
    std::uint32_t first_;
    std::uint32_t last_days_;
    std::int32_t offset_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TurnOfMonth);

}  // namespace torvex
