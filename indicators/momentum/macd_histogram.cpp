#include "indicators/momentum/macd_histogram.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, MacdHistogram);

std::expected<MacdHistogram, IndicatorError> MacdHistogram::create(std::uint64_t fast, std::uint64_t slow,
                                                                   std::uint64_t signal) {
    auto core = MacdCore::create(fast, slow, signal);
    if (!core) return std::unexpected(core.error());
    return MacdHistogram(*core);
}

}  // namespace torvex
