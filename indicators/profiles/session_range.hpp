// Session ranges: the local day in a fixed UTC offset split into three eight-hour
// blocks (local hours 0-7 "asia", 8-15 "eu", 16-23 "us"), each reporting the
// high-low range of its bars so far today (0.0 for a block without a bar yet).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>
#include <string_view>

#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SessionRange final : public MultiOutput<SessionRange, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"asia", "eu", "us"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Any offset in minutes is accepted.
    static std::expected<SessionRange, IndicatorError> create(std::int32_t offset_minutes) {
        return SessionRange(offset_minutes);
    }

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::int64_t secs = local_seconds(bar.ts, offset_);
        const std::int64_t day = local_day(secs);
        if (!day_ || *day_ != day) {
            day_ = day;
            blocks_ = {};
        }
        Block& b = blocks_[hour_of_day(secs) / 8];
        if (bar.high > b.high) b.high = bar.high;
        if (bar.low < b.low) b.low = bar.low;
        std::array<double, 3> out{};
        for (std::size_t i = 0; i < 3; ++i) out[i] = blocks_[i].low <= blocks_[i].high ? blocks_[i].high - blocks_[i].low : 0.0;
        return out;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit SessionRange(std::int32_t offset) : offset_(offset) {}

    struct Block {
        double high = -std::numeric_limits<double>::infinity();
        double low = std::numeric_limits<double>::infinity();
    };

    std::optional<std::int64_t> day_;
    std::array<Block, 3> blocks_{};
    std::int32_t offset_;
};

}  // namespace torvex
