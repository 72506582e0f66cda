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
    double d = 0.0;
    double p = 0.0;
    double i = 0.0;
    window_.for_each([&](double y) {
        const double dev = y - mean;
        d += dev;
        p += i * dev;
        i += 1.0;
    });
    const double b = (p * n - d * pos_.sum_x) / pos_.denom;
    const double c = (d - b * pos_.sum_x) / n;
    double r = 0.0;
    i = 0.0;
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
