// Rolling median of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class MedianMa final : public CloseIndicator<MedianMa> {
public:
    static std::expected<MedianMa, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        window_.push(close);
        if (!window_.full()) return std::nullopt;
        return window_.median();
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit MedianMa(SortedWindow window) : window_(std::move(window)) {}
    SortedWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, MedianMa);

}  // namespace torvex
