#include "indicators/momentum/awesome_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AwesomeOscillator);

std::expected<AwesomeCore, IndicatorError> AwesomeCore::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) {
        return std::unexpected(IndicatorError::invalid_period("AO fast period must be strictly less than slow"));
    }
    auto f = SmaCore::create(fast);
    if (!f) return std::unexpected(f.error());
    auto s = SmaCore::create(slow);
    if (!s) return std::unexpected(s.error());
    return AwesomeCore(std::move(*f), std::move(*s));
}

std::expected<AwesomeOscillator, IndicatorError> AwesomeOscillator::create(std::uint64_t fast, std::uint64_t slow) {
    auto core = AwesomeCore::create(fast, slow);
    if (!core) return std::unexpected(core.error());
    return AwesomeOscillator(std::move(*core));
}

}  // namespace torvex
