// Tail ratio times profit factor of the window's returns.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class CommonSenseRatio final : public CloseIndicator<CommonSenseRatio> {
public:
    // n below 2: InvalidPeriod "common sense ratio needs period >= 2"; then M.
    static std::expected<CommonSenseRatio, IndicatorError> create(std::uint64_t n);

    // 0.0 without a loss in the window or with a 5 % quantile of 0; otherwise
    // (q95 / |q05|)·(G / L) over the summed gains G and losses L.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit CommonSenseRatio(SortedWindow window) : window_(std::move(window)) {}

    SortedWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, CommonSenseRatio);

}  // namespace torvex
