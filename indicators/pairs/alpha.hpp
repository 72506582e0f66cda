// Jensen's alpha over the last `period` bars: the close's mean minus what the
// reference's mean and the beta imply over the per-bar risk-free return.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class Alpha final : public PairIndicator<Alpha> {
public:
    static std::expected<Alpha, IndicatorError> create(std::uint64_t period, double risk_free);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    // How far below its terms (per value of the window) the answer must have cancelled
    // before the window gives it again.
    static constexpr double kCancelled = 0x1p-40;

    // What the reference's mean and the beta imply of the close's mean.
    double implied_mean(const PairMoments& m) const;

    explicit Alpha(std::uint64_t period, double risk_free) : window_(period), period_(period), risk_free_(risk_free) {}

    AnchoredPairWindow window_;
    std::uint64_t period_;
    double risk_free_;
};

}  // namespace torvex
