#include "indicators/profiles/overnight_intraday_return.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, OvernightIntradayReturn, 2);

std::optional<std::array<double, 2>> OvernightIntradayReturn::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const std::int64_t day = local_day(local_seconds(bar.ts, offset_));
    if (!day_ || *day_ != day) {
        if (prev_close_) overnight_ = *prev_close_ == 0.0 ? 0.0 : bar.open / *prev_close_ - 1.0;
        day_open_ = bar.open;
        day_ = day;
    }
    prev_close_ = bar.close;
    if (!overnight_) return std::nullopt;
    const double intraday = day_open_ == 0.0 ? 0.0 : bar.close / day_open_ - 1.0;
    return std::array<double, 2>{*overnight_, intraday};
}

}  // namespace torvex
