#include "indicators/pairs/variance_ratio.hpp"

#include "indicators/cores/written_spread.hpp"

namespace torvex {

VarianceRatio::VarianceRatio(std::uint64_t period, std::uint64_t q) : spreads_(period), period_(period), q_(q) {
    changes_.reserve(period);
}

std::expected<VarianceRatio, IndicatorError> VarianceRatio::create(std::uint64_t period, std::uint64_t q) {
    if (q < 2) return std::unexpected(IndicatorError::invalid_period("variance ratio needs q >= 2"));
    if (auto ok = check_max_period(q); !ok) return std::unexpected(ok.error());
    // q is bounded, so q + 2 cannot wrap.
    if (period < q + 2) return std::unexpected(IndicatorError::invalid_period("variance ratio needs period >= q + 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return VarianceRatio(period, q);
}

std::optional<double> VarianceRatio::step(double a, double b) {
    spreads_.push(a - b);
    if (!spreads_.full()) return std::nullopt;
    changes_.clear();
    for (std::size_t i = 1; i < spreads_.size(); ++i) changes_.push_back(spreads_[i] - spreads_[i - 1]);
    const std::size_t m = changes_.size();
    double sum = 0.0;
    for (double r : changes_) sum += r;
    const double mu = sum / static_cast<double>(m);
    double ss = 0.0;
    for (double r : changes_) ss += (r - mu) * (r - mu);
    const double var1 = ss / static_cast<double>(m);
    if (!(var1 > 0.0)) return 1.0;
    // Each change lies within 3 r of its decimal value: changes equal in the decimals
    // lie within 6 r of each other, and have a variance of at most 36 r^2.
    const double r = spread_rounding(a, b);
    if (!(var1 > 36.0 * r * r)) [[unlikely]]
        if (equal_as_written(m, [this](std::size_t i) { return changes_[i]; }, a, b, 6.0)) return 1.0;
    const double q = static_cast<double>(q_);
    const std::size_t runs = m - q_ + 1;
    double su = 0.0;
    for (std::size_t start = 0; start < runs; ++start) {
        double run = 0.0;
        for (std::size_t k = 0; k < q_; ++k) run += changes_[start + k];
        const double u = run - q * mu;
        su += u * u;
    }
    const double varq = su / static_cast<double>(runs);
    return varq / (q * var1);
}

}  // namespace torvex
