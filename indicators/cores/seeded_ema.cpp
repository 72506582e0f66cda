#include "indicators/cores/seeded_ema.hpp"

#include <cmath>

namespace torvex {

SeededEma::SeededEma(std::uint64_t k) : SeededEma(k, 2.0 / (static_cast<double>(k) + 1.0)) {}

SeededEma::SeededEma(std::uint64_t k, double alpha) : period_(k), alpha_(alpha), one_minus_alpha_(1.0 - alpha) {}

std::expected<SeededEma, IndicatorError> SeededEma::create(std::uint64_t k) {
    if (auto ok = check_period(k); !ok) return std::unexpected(ok.error());
    return SeededEma(k);
}

std::optional<double> SeededEma::step(double x) {
    if (seeded_) {
        value_ = std::fma(alpha_, x, one_minus_alpha_ * value_);
        return value_;
    }
    seed_sum_ += x;
    seed_count_ += 1;
    if (seed_count_ != period_) return std::nullopt;
    value_ = seed_sum_ / static_cast<double>(seed_count_);
    seeded_ = true;
    return value_;
}

}  // namespace torvex
