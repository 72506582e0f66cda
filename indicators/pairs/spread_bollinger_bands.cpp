#include "indicators/pairs/spread_bollinger_bands.hpp"

#include <cmath>

#include "indicators/cores/written_spread.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, SpreadBollingerBands, 4);

std::expected<SpreadBollingerBands, IndicatorError> SpreadBollingerBands::create(std::uint64_t period,
                                                                                 double num_std) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("spread bollinger bands needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    if (!is_finite(num_std) || !(num_std > 0.0))
        return std::unexpected(IndicatorError::invalid_parameter("spread bollinger bands needs num_std > 0"));
    auto window = VarianceWindow::create(period);
    if (!window) return std::unexpected(window.error());
    return SpreadBollingerBands(std::move(*window), num_std);
}

std::array<double, 4> SpreadBollingerBands::narrow_bands(double middle, double upper, double lower, double a,
                                                         double b) const {
    const double width = upper - lower;
    if (width == 0.0) return {middle, upper, lower, 0.5};
    // Spreads equal in the decimals have no deviation: the bands coincide.
    const auto spread = [this](std::size_t k) { return window_.from_newest(k); };
    if (equal_as_written(window_.size(), spread, a, b, 2.0)) return {middle, middle, middle, 0.5};
    return {middle, upper, lower, (a - b - lower) / width};
}

std::optional<std::array<double, 4>> SpreadBollingerBands::step(const BarContext& ctx) {
    const std::optional<PairInput> p = pair_input(ctx, PairDomain::Finite);
    if (!p) return std::nullopt;
    const double s = p->a - p->b;
    if (!window_.push(s)) return std::nullopt;
    const double middle = window_.mean();
    const double w = num_std_ * std::sqrt(window_.variance());
    const double upper = middle + w;
    const double lower = middle - w;
    // Coinciding bands put the spread in the middle: a flat window, or one whose
    // spread is too small to move the bands off the mean (0/0 otherwise). Bands
    // within the gate may be a window flat in the decimals.
    const double width = upper - lower;
    if (!(width > kSpreadFlatGate * std::fabs(middle))) [[unlikely]]
        return narrow_bands(middle, upper, lower, p->a, p->b);
    return std::array<double, 4>{middle, upper, lower, (s - lower) / width};
}

}  // namespace torvex
