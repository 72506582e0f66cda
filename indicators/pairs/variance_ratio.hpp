// Lo-MacKinlay variance ratio of the spread (close minus reference) over the last
// `period` bars: the variance of q-bar changes against q times that of one-bar
// changes. 1 for a random walk, below 1 for a mean-reverting spread.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class VarianceRatio final : public PairIndicator<VarianceRatio> {
public:
    static std::expected<VarianceRatio, IndicatorError> create(std::uint64_t period, std::uint64_t q);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    VarianceRatio(std::uint64_t period, std::uint64_t q);

    CappedRing<double> spreads_;
    std::vector<double> changes_;
    std::uint64_t period_;
    std::uint64_t q_;
};

}  // namespace torvex
