// Session high and low: the high and low of the current local calendar day in a
// fixed UTC offset; the first bar of a new day starts them afresh.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SessionHighLow final : public MultiOutput<SessionHighLow, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"high", "low"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Any offset in minutes is accepted.
    static std::expected<SessionHighLow, IndicatorError> create(std::int32_t offset_minutes) {
        return SessionHighLow(offset_minutes);
    }

    // The first bar of a day reports its own high and low.
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        // Equal local day numbers are the same civil date.
        const std::int64_t day = local_day(local_seconds(bar.ts, offset_));
        if (day_ && *day_ == day) {
            if (bar.high > high_) high_ = bar.high;
            if (bar.low < low_) low_ = bar.low;
        } else {
            day_ = day;
            high_ = bar.high;
            low_ = bar.low;
        }
        return std::array<double, 2>{high_, low_};
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit SessionHighLow(std::int32_t offset) : offset_(offset) {}

    std::optional<std::int64_t> day_;
    double high_ = 0.0;
    double low_ = 0.0;
    std::int32_t offset_;
};

}  // namespace torvex
