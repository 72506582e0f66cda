#include "indicators/momentum/awesome_oscillator_histogram.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AwesomeOscillatorHistogram);

std::expected<AwesomeOscillatorHistogram, IndicatorError> AwesomeOscillatorHistogram::create(std::uint64_t fast,
                                                                                           std::uint64_t slow,
                                                                                           std::uint64_t lag) {
    if (fast == 0 || slow == 0 || lag == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) {
        return std::unexpected(
            IndicatorError::invalid_period("AwesomeOscillatorHistogram fast must be strictly less than slow"));
    }
    auto awesome = AwesomeCore::create(fast, slow);
    if (!awesome) return std::unexpected(awesome.error());
    if (auto ok = check_max_period(lag); !ok) return std::unexpected(ok.error());
    return AwesomeOscillatorHistogram(std::move(*awesome), lag);
}

std::optional<double> AwesomeOscillatorHistogram::step(const Ohlcv& bar) {
    const std::optional<double> ao = awesome_.step(bar);
    if (!ao) return std::nullopt;
    const std::optional<double> old = history_.push(*ao);
    if (!old) return std::nullopt;
    return *ao - *old;
}

}  // namespace torvex
