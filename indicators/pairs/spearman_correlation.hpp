// Spearman rank correlation of the close and the reference over the last `period`
// bars: each series is ranked on its own (ties share the mean of their ranks) and
// the Pearson correlation of the two rank vectors is answered.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>
#include <vector>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/pair_moments.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class SpearmanCorrelation final : public PairIndicator<SpearmanCorrelation> {
public:
    static std::expected<SpearmanCorrelation, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit SpearmanCorrelation(std::uint64_t period);

    // Ranks one component of the window into `ranks` (1-based, ties averaged).
    void rank(bool first, std::vector<double>& ranks);

    CappedRing<PairInput> window_;
    std::vector<std::pair<double, std::size_t>> scratch_;
    std::vector<double> ranks_a_;
    std::vector<double> ranks_b_;
    std::uint64_t period_;
};

}  // namespace torvex
