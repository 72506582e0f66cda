// The 95 % quantile of the window's returns over the magnitude of its 5 % quantile.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class TailRatio final : public CloseIndicator<TailRatio> {
public:
    // n below 2: InvalidPeriod "tail ratio needs period >= 2"; then M.
    static std::expected<TailRatio, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.capacity(); }

    // q95 / |q05| of a non-empty sorted window (type-7 quantiles); nothing when
    // q05 is 0.
    static std::optional<double> of(const SortedWindow& window);

private:
    explicit TailRatio(SortedWindow window) : window_(std::move(window)) {}

    SortedWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, TailRatio);

}  // namespace torvex
