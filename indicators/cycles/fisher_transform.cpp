#include "indicators/cycles/fisher_transform.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/ehlers_filter_cores.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, FisherTransform);

std::expected<FisherTransform, IndicatorError> FisherTransform::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return FisherTransform(n);
}

std::optional<double> FisherTransform::step(double close) {
    range_.push(close);
    if (!range_.full()) return std::nullopt;
    const double raw = window_normalise(range_.hi_lo(), close);
    value_ = std::clamp(std::fma(raw, 0.33, 0.67 * value_), -0.999, 0.999);
    const double half = last_ ? 0.5 * *last_ : 0.0;
    const double fisher = std::fma(std::log((1.0 + value_) / (1.0 - value_)), 0.5, half);
    last_ = fisher;
    return fisher;
}

}  // namespace torvex
