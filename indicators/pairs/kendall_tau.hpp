// Kendall's tau-b of the close and the reference over the last `period` bars, kept
// incrementally: a leaving pair undoes its pairings, an entering pair adds its own.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class KendallTau final : public PairIndicator<KendallTau> {
public:
    static std::expected<KendallTau, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit KendallTau(std::uint64_t period) : window_(period), period_(period) {}

    // Adds (+1) or takes back (-1) the pairings of p with every pair held.
    void count(const PairInput& p, std::int64_t sign, std::size_t from);

    CappedRing<PairInput> window_;
    std::uint64_t period_;
    // Signed so that taking back a pairing can never wrap.
    std::int64_t concordant_ = 0;
    std::int64_t discordant_ = 0;
    std::int64_t tied_a_ = 0;
    std::int64_t tied_b_ = 0;
};

}  // namespace torvex
