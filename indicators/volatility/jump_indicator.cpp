#include "indicators/volatility/jump_indicator.hpp"

#include <cmath>

namespace torvex {

std::expected<JumpIndicator, IndicatorError> JumpIndicator::create(std::uint64_t n, double threshold) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("jump indicator needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (!is_finite(threshold) || !(threshold > 0.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("jump indicator threshold must be finite and positive"));
    }
    return JumpIndicator(n, threshold);
}

std::optional<double> JumpIndicator::step(double close) {
    const std::optional<double> r = returns_.push(close);
    if (!r) return std::nullopt;
    if (window_.size() < period_) {
        // Filling: the update counts towards the first re-centring, which waits for
        // the first slide.
        window_.push_back(*r);
        sums_.add(*r);
        return std::nullopt;
    }
    const double n = static_cast<double>(period_);
    double signal = 0.0;
    const double var = sums_.sample_variance(n);
    if (var != 0.0) {
        const double z = *r - sums_.mean(n);
        const double band = std::sqrt(var) * threshold_;
        if (z > band) signal = 1.0;
        else if (z < -band) signal = -1.0;
    }
    sums_.remove(window_.front());
    window_.pop_front();
    window_.push_back(*r);
    sums_.add(*r);
    if (sums_.recenter_due(period_, window_.size())) {
        sums_.recenter(window_.size(), [this](const auto& fn) {
            for (double v : window_) fn(v);
        });
    }
    last_ = signal;
    return signal;
}

}  // namespace torvex
