#include "indicators/momentum/macd_indicator.hpp"

namespace torvex {

std::expected<MacdIndicator, IndicatorError> MacdIndicator::create(std::uint64_t fast, std::uint64_t slow,
                                                                   std::uint64_t signal) {
    auto core = MacdCore::create(fast, slow, signal);
    if (!core) return std::unexpected(core.error());
    return MacdIndicator(*core);
}

}  // namespace torvex
