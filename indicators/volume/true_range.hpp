// True range: the bar's range widened to include the previous close.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TrueRange final : public CandleIndicator<TrueRange> {
public:
    static constexpr bool kStepsOnFields = true;

    static std::expected<TrueRange, IndicatorError> create() { return TrueRange(); }

    std::optional<double> step(const Ohlcv& bar) {
        const double tr = true_range(bar, prev_close_);
        prev_close_ = bar.close;
        return tr;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    TrueRange() = default;
    std::optional<double> prev_close_;
};

}  // namespace torvex
