#include "indicators/momentum/ppo_histogram.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, PpoHistogram);

std::expected<PpoHistogram, IndicatorError> PpoHistogram::create(std::uint64_t fast, std::uint64_t slow,
                                                                  std::uint64_t signal) {
    // The signal length is tested before the two line lengths.
    auto signal_ema = SeededEma::create(signal);
    if (!signal_ema) return std::unexpected(signal_ema.error());
    auto line = PpoLine::create(fast, slow);
    if (!line) return std::unexpected(line.error());
    return PpoHistogram(*line, *signal_ema);
}

}  // namespace torvex
