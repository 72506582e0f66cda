// Middle of the highest and lowest close of the window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class MidPoint final : public CloseIndicator<MidPoint> {
public:
    static std::expected<MidPoint, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit MidPoint(std::uint64_t n) : window_(n), period_(n) {}

    FixedRing<double> window_;
    std::uint64_t period_;
};

}  // namespace torvex
