// On-balance volume: volume added on an up close and taken away on a down close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Obv final : public CandleIndicator<Obv> {
public:
    static std::expected<Obv, IndicatorError> create() { return Obv(); }

    // 0 on the first bar; the line after.
    std::optional<double> step(const Ohlcv& bar) {
        if (prev_close_) {
            if (bar.close > *prev_close_) {
                line_.add(bar.volume);
            } else if (bar.close < *prev_close_) {
                line_.add(-bar.volume);
            }
        }
        prev_close_ = bar.close;
        return line_.value();
    }
    std::uint64_t warmup() const override { return 1; }

private:
    Obv() = default;
    std::optional<double> prev_close_;
    CompensatedSum line_;  // a cumulative line: compensated so long runs do not drift
};

}  // namespace torvex
