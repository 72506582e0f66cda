// Excess mean of the close over the per-bar risk-free return, per unit of beta to
// the reference, over the last `period` bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class TreynorRatio final : public PairIndicator<TreynorRatio> {
public:
    static std::expected<TreynorRatio, IndicatorError> create(std::uint64_t period, double risk_free);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit TreynorRatio(std::uint64_t period, double risk_free) : window_(period), period_(period), risk_free_(risk_free) {}

    AnchoredPairWindow window_;
    std::uint64_t period_;
    double risk_free_;
};

}  // namespace torvex
