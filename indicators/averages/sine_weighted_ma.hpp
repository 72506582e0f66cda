// Moving average with weights on a half sine wave: the middle of the window
// weighs most, both ends least.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SineWeightedMa final : public CloseIndicator<SineWeightedMa> {
public:
    static std::expected<SineWeightedMa, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

    const std::vector<double>& weights() const { return weights_; }
    double weight_sum() const { return weight_sum_; }

private:
    explicit SineWeightedMa(std::uint64_t n);

    FixedRing<double> window_;
    std::vector<double> weights_;  // weights_[0] applies to the oldest close
    std::uint64_t period_;
    double weight_sum_ = -0.0;
};

}  // namespace torvex
