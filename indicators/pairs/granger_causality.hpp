// Granger causality F statistic over the last `period` bars: how much `lag` lagged
// references improve a least-squares fit of the close on its own `lag` lags.
// 0 when either fit is singular or the fit with the references is exact, as exact
// arithmetic on the window's values decides it, or exact to within the rounding of
// the doubles (a statistic of 1e23 or more keeps none of its digits); never below 0.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/exact_gram.hpp"
#include "indicators/cores/normal_equations.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class GrangerCausality final : public PairIndicator<GrangerCausality> {
public:
    static std::expected<GrangerCausality, IndicatorError> create(std::uint64_t period, std::uint64_t lag);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    GrangerCausality(std::uint64_t period, std::uint64_t lag)
        : window_(period),
          period_(period),
          lag_(lag),
          fit_(2 * lag + 1),
          firsts_(2 * lag + 2),
          gram_(2 * lag + 2),
          rotated_(2 * lag + 2) {}

    // A pivot or residual sum below this fraction of its size leaves the normal
    // equations short of the answer's digits, some 2^-52 / 2^-24 of it rounding.
    static constexpr double kFewDigits = 0x1p-24;
    // A rotated residual sum below this fraction of the closes' squared moves is
    // within the rounding of the rotations.
    static constexpr double kNoDigits = 0x1p-80;

    // Whether either design is, in exact arithmetic, singular or an exact fit of the
    // closes, by the count of its distinct rows (indicators/cores/distinct_rows.hpp).
    // An exact fit of the closes on their own lags is one with the references too.
    bool degenerate_rows();

    // Whether, in exact arithmetic, the design with the references and the closes it
    // fits have fewer independent columns than columns: the design is singular (and
    // so the one without the references, whose columns are among its own) or fits
    // the closes exactly. Decided on the window's values, for a fit in doubt.
    [[gnu::noinline]] bool dependent_columns();

    // Residual sum of squares of the fit with the intercept and the close lags, and
    // with `with_reference` also the reference lags; nothing when a pivot is zero or
    // not finite.
    std::optional<double> fit_rss(bool with_reference);

    // The statistic of a regular design whose normal equations are in doubt, from the
    // rotated rows of [1, close lags, reference lags, close], each price less the
    // newest of its leg.
    [[gnu::noinline]] double rotated_statistic();

    // The statistic from what the references remove from the residual sum, `gain`, and
    // the residual sum with them, `rss`.
    double statistic(double gain, double rss) const;

    CappedRing<PairInput> window_;
    std::uint64_t period_;
    std::size_t lag_;
    LeastSquares fit_;
    std::vector<CappedRing<PairInput>::const_iterator> firsts_;  // the first of each distinct row counted
    ModularGram gram_;
    RotatedRows rotated_;
};

}  // namespace torvex
