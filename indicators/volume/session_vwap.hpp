// Volume-weighted average of the typical price since local midnight in a fixed UTC
// offset; it restarts with the first bar of every local calendar day.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

class SessionVwap final : public CandleIndicator<SessionVwap> {
public:
    // Any offset in minutes is accepted.
    static std::expected<SessionVwap, IndicatorError> create(std::int32_t offset_minutes);

    // Every accepted bar answers: Σ tp·v / Σ v of the session, or the bar's typical
    // price while the session has no volume.
    std::optional<double> step(const Ohlcv& bar) {
        const std::int64_t day = local_day(local_seconds(bar.ts, offset_));
        if (!session_day_ || *session_day_ != day) {
            session_day_ = day;
            pv_sum_ = 0.0;
            volume_sum_ = 0.0;
        }
        const double tp = typical_price(bar);
        pv_sum_ += tp * bar.volume;
        volume_sum_ += bar.volume;
        if (volume_sum_ > 0.0) return pv_sum_ / volume_sum_;
        return tp;
    }
    std::uint64_t warmup() const override { return 1; }

    std::int32_t offset_minutes() const { return offset_; }

private:
    explicit SessionVwap(std::int32_t offset) : offset_(offset) {}

    // Local day number of the running session; equal day numbers are the same
    // civil date, so the date itself need not be formed.
    std::optional<std::int64_t> session_day_;
    double pv_sum_ = 0.0;
    double volume_sum_ = 0.0;
    std::int32_t offset_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, SessionVwap);

}  // namespace torvex
