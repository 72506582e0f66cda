// MACD with the fixed smoothing factors of the classic 12/26 pair, 0.15 and 0.075
// rather than 2/13 and 2/27, and a signal average of a chosen length.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/momentum/macd_indicator.hpp"

namespace torvex {

class MacdFix final : public MacdLines<MacdFix> {
public:
    // signal = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<MacdFix, IndicatorError> create(std::uint64_t signal);

private:
    explicit MacdFix(MacdCore core) : MacdLines(core) {}
};

}  // namespace torvex
