// Z-score of the log spread ln close − beta·ln reference, where beta is fitted over
// the last `beta_period` bars and the score is taken over the last `z_period` spreads.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sliding_extreme.hpp"
#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/cores/variance_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class PairSpreadZScore final : public PairIndicator<PairSpreadZScore, PairDomain::Positive> {
public:
    static std::expected<PairSpreadZScore, IndicatorError> create(std::uint64_t beta_period, std::uint64_t z_period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return logs_.period() + spreads_.period() - 1; }

private:
    PairSpreadZScore(std::uint64_t beta_period, std::uint64_t z_period, VarianceWindow spreads)
        : logs_(beta_period),
          spreads_(std::move(spreads)),
          fit_noise_(z_period),
          z_period_(z_period),
          root_n_(std::sqrt(static_cast<double>(beta_period))),
          moment_rounding_(8.0 * (static_cast<double>(beta_period) + 4.0)) {}

    // A bound on how far this bar's spread, taken in doubles, lies from the spread of
    // the exact logarithms of the same prices with the slope those exact logs fit.
    double spread_rounding(const PairMoments& m, double beta, double log_close, double log_ref) const;

    AnchoredPairWindow logs_;  // (ln reference, ln close)
    VarianceWindow spreads_;
    // The largest rounding that a hedge fit carried into a spread of the window.
    SlidingExtreme<Extreme::Largest> fit_noise_;
    std::uint64_t z_period_;
    double root_n_;           // √beta_period
    double moment_rounding_;  // 8(beta_period + 4)
    std::uint64_t fits_ = 0;
};

}  // namespace torvex
