#include "indicators/momentum/accelerator_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AcceleratorOscillator);

std::expected<AcceleratorOscillator, IndicatorError> AcceleratorOscillator::create(std::uint64_t fast,
                                                                                 std::uint64_t slow,
                                                                                 std::uint64_t signal) {
    auto awesome = AwesomeCore::create(fast, slow);
    if (!awesome) return std::unexpected(awesome.error());
    auto sig = SmaCore::create(signal);
    if (!sig) return std::unexpected(sig.error());
    return AcceleratorOscillator(std::move(*awesome), std::move(*sig));
}

}  // namespace torvex
