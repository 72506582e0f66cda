// Median of the absolute deviations of the last n closes from their median.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class MedianAbsoluteDeviation final : public CloseIndicator<MedianAbsoluteDeviation> {
public:
    static std::expected<MedianAbsoluteDeviation, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit MedianAbsoluteDeviation(SortedWindow window) : window_(std::move(window)) {}

    SortedWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, MedianAbsoluteDeviation);

}  // namespace torvex
