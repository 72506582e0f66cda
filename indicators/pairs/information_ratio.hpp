// Mean active value (close minus reference) over its sample standard deviation, over
// the last `period` bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/variance_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class InformationRatio final : public PairIndicator<InformationRatio> {
public:
    static std::expected<InformationRatio, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit InformationRatio(VarianceWindow window) : window_(std::move(window)) {}

    VarianceWindow window_;
};

}  // namespace torvex
