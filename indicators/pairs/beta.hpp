// Slope of the close on the reference over the last `period` bars: cov / var of the
// reference (population moments), 0.0 when the reference is flat.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class Beta final : public PairIndicator<Beta> {
public:
    static std::expected<Beta, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit Beta(std::uint64_t period) : window_(period), period_(period) {}

    AnchoredPairWindow window_;
    std::uint64_t period_;
};

}  // namespace torvex
