#include "indicators/cores/regression_channel_core.hpp"

#include <cmath>

namespace torvex {

std::optional<std::array<double, 3>> RegressionChannelCore::step(double close) {
    if (!is_finite(close)) return std::nullopt;
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const double n = pos_.n;
    double total = 0.0;
    window_.for_each([&total](double y) { total += y; });
    const double mean = total / n;
    const LineFit fit = fit_about(window_, mean, pos_);
    const double b = fit.slope;
    const double c = fit.intercept;
    double r = 0.0;
    double i = 0.0;
    window_.for_each([&](double y) {
        const double e = (y - mean) - (b * i + c);
        r += e * e;
        i += 1.0;
    });
    const double spread = std::sqrt(r / divisor_) * multiplier_;
    const double middle = mean + c + b * (n - 1.0);
    return std::array<double, 3>{middle + spread, middle, middle - spread};
}

}  // namespace torvex
