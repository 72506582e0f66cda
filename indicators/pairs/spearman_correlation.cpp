#include "indicators/pairs/spearman_correlation.hpp"

#include <algorithm>

namespace torvex {

SpearmanCorrelation::SpearmanCorrelation(std::uint64_t period)
    : window_(period), ranks_a_(period, 0.0), ranks_b_(period, 0.0), period_(period) {
    scratch_.reserve(period);
}

std::expected<SpearmanCorrelation, IndicatorError> SpearmanCorrelation::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("spearman correlation needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return SpearmanCorrelation(period);
}

void SpearmanCorrelation::rank(bool first, std::vector<double>& ranks) {
    scratch_.clear();
    for (std::size_t i = 0; i < window_.size(); ++i) scratch_.emplace_back(first ? window_[i].a : window_[i].b, i);
    // Equal values keep their arrival order (the position breaks ties), as a stable
    // sort would, without the buffer a stable sort allocates.
    std::sort(scratch_.begin(), scratch_.end(), [](const auto& x, const auto& y) {
        return x.first < y.first || (x.first == y.first && x.second < y.second);
    });
    const std::size_t n = scratch_.size();
    std::size_t start = 0;
    while (start < n) {
        std::size_t end = start + 1;
        while (end < n && scratch_[end].first == scratch_[start].first) ++end;
        // Positions start .. end-1 are the 1-based ranks start+1 .. end.
        const double shared = (static_cast<double>(start + 1) + static_cast<double>(end)) / 2.0;
        for (std::size_t k = start; k < end; ++k) ranks[scratch_[k].second] = shared;
        start = end;
    }
}

std::optional<double> SpearmanCorrelation::step(double a, double b) {
    window_.push(PairInput{a, b});
    if (!window_.full()) return std::nullopt;
    rank(true, ranks_a_);
    rank(false, ranks_b_);
    return bounded_correlation(two_pass_moments(
        period_, [this](std::size_t i) { return ranks_a_[i]; }, [this](std::size_t i) { return ranks_b_[i]; }));
}

}  // namespace torvex
