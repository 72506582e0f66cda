// Overnight gap: the first open of the local day against the last close before
// it, minus 1, repeated on every bar of that day.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class OvernightGap final : public CandleIndicator<OvernightGap> {
public:
    // The offset in minutes is not checked.
    static std::expected<OvernightGap, IndicatorError> create(std::int32_t offset_minutes) {
        return OvernightGap(offset_minutes);
    }

    // Nothing until a new local day follows a stored close; 0 for a zero previous close.
    std::optional<double> step(const Ohlcv& bar) {
        const std::int64_t date = local_day(local_seconds(bar.ts, offset_));
        if (!date_ || *date_ != date) {
            if (prev_close_) gap_ = *prev_close_ == 0.0 ? 0.0 : bar.open / *prev_close_ - 1.0;
            date_ = date;
        }
        prev_close_ = bar.close;
        return gap_;
    }
    // Declared as 2; the first value comes only on the first bar of the second
    // local day.
    std::uint64_t warmup() const override { return 2; }

private:
    explicit OvernightGap(std::int32_t offset) : offset_(offset) {}

    std::optional<std::int64_t> date_;  // local day number of the latest bar
    std::optional<double> prev_close_;
    std::optional<double> gap_;
    std::int32_t offset_;
};

}  // namespace torvex
