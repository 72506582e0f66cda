// Time-based stop: the share of the allowed holding time used up, bars seen / N,
// capped at 1.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class TimeBasedStop final : public CandleIndicator<TimeBasedStop> {
public:
    // N = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<TimeBasedStop, IndicatorError> create(std::uint64_t max_bars) {
        if (auto ok = check_period(max_bars); !ok) return std::unexpected(ok.error());
        return TimeBasedStop(max_bars);
    }

    std::optional<double> step(const Ohlcv&) {
        // The count stops at N: the answer is 1 from then on, and the counter cannot wrap.
        if (bars_seen_ < max_bars_) bars_seen_ += 1;
        last_ = static_cast<double>(bars_seen_) / static_cast<double>(max_bars_);
        return last_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit TimeBasedStop(std::uint64_t n) : max_bars_(n) {}

    std::optional<double> last_;
    std::uint64_t max_bars_;
    std::uint64_t bars_seen_ = 0;
};

}  // namespace torvex
