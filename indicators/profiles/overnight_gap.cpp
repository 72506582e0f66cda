#include "indicators/profiles/overnight_gap.hpp"

namespace torvex {

std::optional<double> OvernightGap::step(const Ohlcv& bar) {
    const std::int64_t date = local_day(local_seconds(bar.ts, offset_));
    if (!date_ || *date_ != date) {
        if (prev_close_) gap_ = *prev_close_ == 0.0 ? 0.0 : bar.open / *prev_close_ - 1.0;
        date_ = date;
    }
    prev_close_ = bar.close;
    return gap_;
}

}  // namespace torvex
