// Pearson correlation of the close and the reference over the last `period` bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class PearsonCorrelation final : public PairIndicator<PearsonCorrelation> {
public:
    static std::expected<PearsonCorrelation, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit PearsonCorrelation(std::uint64_t period) : window_(period), period_(period) {}

    AnchoredPairWindow window_;
    std::uint64_t period_;
};

}  // namespace torvex
