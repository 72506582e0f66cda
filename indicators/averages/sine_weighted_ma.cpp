#include "indicators/averages/sine_weighted_ma.hpp"

#include <cmath>
#include <numbers>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<SineWeightedMa, IndicatorError> SineWeightedMa::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SineWeightedMa(n);
}

SineWeightedMa::SineWeightedMa(std::uint64_t n) : window_(n), period_(n) {
    weights_.reserve(n);
    const double denominator = static_cast<double>(n) + 1.0;
    for (std::uint64_t i = 0; i < n; ++i) {
        const double w = std::sin((static_cast<double>(i) + 1.0) * std::numbers::pi / denominator);
        weights_.push_back(w);
        weight_sum_ += w;
    }
}

std::optional<double> SineWeightedMa::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    double acc = -0.0;
    for (std::uint64_t k = 0; k < period_; ++k) acc = window_[k] * weights_[k] + acc;
    return acc / weight_sum_;
}

}  // namespace torvex
