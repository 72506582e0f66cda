#include "indicators/pairs/information_ratio.hpp"

#include <cmath>

#include "indicators/cores/written_spread.hpp"

namespace torvex {

std::expected<InformationRatio, IndicatorError> InformationRatio::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("information ratio needs period >= 2"));
    auto window = VarianceWindow::create(period);
    if (!window) return std::unexpected(window.error());
    return InformationRatio(std::move(*window));
}

bool InformationRatio::flat_as_written() const {
    const auto spread = [this](std::size_t k) { return window_.from_newest(k); };
    return equal_as_written(window_.size(), spread, newest_a_, newest_b_, 2.0);
}

std::optional<double> InformationRatio::step(double a, double b) {
    newest_a_ = a;
    newest_b_ = b;
    if (!window_.push(a - b)) return std::nullopt;
    const double var = window_.unclamped_sample_variance();
    const double mean = window_.mean();
    // A flat window (a variance not above 0), or one within the gate, which may be
    // flat in the decimals.
    if (!(var > kGate * (mean * mean))) [[unlikely]]
        if (!(var > 0.0) || flat_as_written()) return 0.0;
    return mean / std::sqrt(var);
}

}  // namespace torvex
