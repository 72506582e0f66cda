// Volume-price trend: volume times the relative close change, accumulated.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VolumePriceTrend final : public CandleIndicator<VolumePriceTrend> {
public:
    static std::expected<VolumePriceTrend, IndicatorError> create() { return VolumePriceTrend(); }

    // 0 on the first bar; a zero previous close counts as no change.
    std::optional<double> step(const Ohlcv& bar) {
        if (prev_close_) {
            const double pc = *prev_close_;
            const double change = pc == 0.0 ? 0.0 : (bar.close - pc) / pc;
            total_.add(bar.volume * change);
        }
        prev_close_ = bar.close;
        return total_.value();
    }
    std::uint64_t warmup() const override { return 1; }

private:
    VolumePriceTrend() = default;
    std::optional<double> prev_close_;
    CompensatedSum total_;  // a cumulative line: compensated so long runs do not drift
};

}  // namespace torvex
