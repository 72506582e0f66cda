// Interquartile range of the last n closes: the type-7 quantile at 0.75 less the one
// at 0.25.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class RollingIqr final : public CloseIndicator<RollingIqr> {
public:
    static std::expected<RollingIqr, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        window_.push(close);
        if (!window_.full()) return std::nullopt;
        return window_.quantile(0.75) - window_.quantile(0.25);
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit RollingIqr(SortedWindow window) : window_(std::move(window)) {}
    SortedWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RollingIqr);

}  // namespace torvex
