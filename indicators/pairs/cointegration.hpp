// Engle-Granger cointegration of the close on the reference over the last `period`
// bars: the least-squares hedge ratio, the latest residual (the spread) and the
// augmented Dickey-Fuller t statistic of the residuals with `adf_lags` lagged changes.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>
#include <vector>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/exact_gram.hpp"
#include "indicators/cores/normal_equations.hpp"
#include "indicators/cores/pair_moments.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class Cointegration final : public MultiOutput<Cointegration, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"hedge_ratio", "spread", "adf_stat"};
    static constexpr InputGate kGate = InputGate::None;

    static std::expected<Cointegration, IndicatorError> create(std::uint64_t period, std::uint64_t adf_lags);

    std::optional<std::array<double, 3>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return period_; }

private:
    Cointegration(std::uint64_t period, std::uint64_t adf_lags)
        : period_(period), pairs_(period), lags_(adf_lags), residuals_(period, 0.0), fit_(adf_lags + 1), gram_(adf_lags + 2) {}

    // The ADF t statistic of the residuals; 0 when the regression has too few rows, a
    // singular system or an exact fit.
    double adf_statistic();

    // Whether, in exact arithmetic, the regression of the residuals' changes has fewer
    // independent columns than columns with its target: its design is singular or fits
    // the changes exactly. The residuals are those of the exact hedge, decided on the
    // window's pairs, for a fit in doubt.
    [[gnu::noinline]] bool dependent_columns();

    struct Pair {
        double a;
        double b;
    };
    std::uint64_t period_;
    CappedRing<Pair> pairs_;
    std::size_t lags_;
    std::vector<double> residuals_;
    double deviations_ = 0.0;  // the window's squared deviations, n (var a + hedge² var b)
    double level_ = 0.0;       // the size of a residual's terms, |a| + |hedge| |b| at the first pair
    LeastSquares fit_;
    ModularGram gram_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Cointegration, 3);

}  // namespace torvex
