// Pearson correlation of the bar-to-bar changes of the close and the reference over
// the last `period` changes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class RollingCorrelation final : public PairIndicator<RollingCorrelation> {
public:
    static std::expected<RollingCorrelation, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit RollingCorrelation(std::uint64_t period) : window_(period), period_(period) {}

    PairDifferencer changes_;
    AnchoredPairWindow window_;
    std::uint64_t period_;
};

}  // namespace torvex
