// Beta of the close's log returns on the reference's log returns over the last
// `period` returns.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class PairwiseBeta final : public PairIndicator<PairwiseBeta, PairDomain::Positive> {
public:
    static std::expected<PairwiseBeta, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit PairwiseBeta(std::uint64_t period) : window_(period), period_(period) {}

    std::optional<PairInput> previous_;
    AnchoredPairWindow window_;
    std::uint64_t period_;
};

}  // namespace torvex
