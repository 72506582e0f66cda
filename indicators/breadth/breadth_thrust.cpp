#include "indicators/breadth/breadth_thrust.hpp"

#include <cmath>

namespace torvex {

BreadthThrust::BreadthThrust(std::uint64_t period)
    : period_(period), weight_(2.0 / (static_cast<double>(period) + 1.0)), keep_(1.0 - weight_) {}

std::expected<BreadthThrust, IndicatorError> BreadthThrust::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return BreadthThrust(period);
}

std::optional<double> BreadthThrust::step(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    const double x = static_cast<double>(c.advances) / at_least_one(c.advances + c.declines);
    if (!is_finite(x)) return std::nullopt;
    if (seeded_) {
        average_ = std::fma(weight_, x, keep_ * average_);
        return average_;
    }
    seed_sum_ += x;
    seed_count_ += 1;
    if (seed_count_ < period_) return std::nullopt;
    average_ = seed_sum_ / static_cast<double>(period_);
    seeded_ = true;
    return average_;
}

}  // namespace torvex
