// Seasonal z-score: this bar's close-to-close return against the mean and sample
// deviation of every earlier return that fell in the same local hour of the day.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SeasonalZScore final : public CandleIndicator<SeasonalZScore> {
public:
    // The offset in minutes is not checked.
    static std::expected<SeasonalZScore, IndicatorError> create(std::int32_t offset_minutes) {
        return SeasonalZScore(offset_minutes);
    }

    // An hour answers from its third return on (two earlier returns give a sample
    // variance); 0 when that variance is not above 0.
    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        HourStats& h = hours_[hour_of_day(local_seconds(bar.ts, offset_))];
        const double r = *prev_close_ == 0.0 ? 0.0 : bar.close / *prev_close_ - 1.0;
        const std::uint64_t k = h.count;
        std::optional<double> z;
        if (k > 1) {
            const double variance = h.m2 / static_cast<double>(k - 1);
            z = variance > 0.0 ? (r - h.mean) / std::sqrt(variance) : 0.0;
        }
        h.count = k + 1;
        const double delta = r - h.mean;
        h.mean = h.mean + delta / static_cast<double>(k + 1);
        h.m2 = h.m2 + (r - h.mean) * delta;
        prev_close_ = bar.close;
        if (z) last_ = z;
        return z;
    }
    // Declared as 2; an hour's first value needs two earlier returns of that hour.
    std::uint64_t warmup() const override { return 2; }

private:
    // Welford's running mean and sum of squared deviations of one hour's returns.
    struct HourStats {
        std::uint64_t count = 0;
        double mean = 0.0;
        double m2 = 0.0;
    };

    explicit SeasonalZScore(std::int32_t offset) : offset_(offset) {}

    std::optional<double> prev_close_;
    std::optional<double> last_;
    std::array<HourStats, 24> hours_{};
    std::int32_t offset_;
};

}  // namespace torvex
