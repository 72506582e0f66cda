#include "indicators/momentum/macd_fix.hpp"

namespace torvex {

std::expected<MacdFix, IndicatorError> MacdFix::create(std::uint64_t signal) {
    if (auto ok = check_period(signal); !ok) return std::unexpected(ok.error());
    return MacdFix(MacdCore(SeededEma(12, 0.15), SeededEma(26, 0.075), SeededEma(signal)));
}

}  // namespace torvex
