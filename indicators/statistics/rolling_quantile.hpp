// The type-7 quantile at a fixed level of the last n closes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class RollingQuantile final : public CloseIndicator<RollingQuantile> {
public:
    // Zero period, period above MAX_PERIOD, then a level outside [0, 1]:
    // "rolling quantile must be a finite value in [0.0, 1.0]".
    static std::expected<RollingQuantile, IndicatorError> create(std::uint64_t n, double level);

    std::optional<double> step(double close) {
        window_.push(close);
        if (!window_.full()) return std::nullopt;
        return window_.quantile(level_);
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    RollingQuantile(SortedWindow window, double level) : window_(std::move(window)), level_(level) {}

    SortedWindow window_;
    double level_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RollingQuantile);

}  // namespace torvex
