#include "indicators/averages/sine_weighted_ma.hpp"

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

}  // namespace torvex
