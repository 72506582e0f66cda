#include "indicators/volume/chaikin_oscillator.hpp"

#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

std::expected<ChaikinOscillator, IndicatorError> ChaikinOscillator::create(std::uint64_t fast,
                                                                           std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("Chaikin Oscillator needs fast < slow"));
    if (fast > MAX_PERIOD || slow > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return ChaikinOscillator(fast, slow);
}

std::optional<double> ChaikinOscillator::step(const Ohlcv& bar) {
    line_.add(money_flow_volume(bar));
    const double line = line_.value();
    if (!is_finite(line)) return std::nullopt;
    const std::optional<double> f = fast_.step(line);
    const std::optional<double> s = slow_.step(line);
    if (!f || !s) return std::nullopt;
    return *f - *s;
}

}  // namespace torvex
