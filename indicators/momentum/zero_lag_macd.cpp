#include "indicators/momentum/zero_lag_macd.hpp"

#include "indicators/cores/macd_core.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ZeroLagMacd, 3);

std::expected<ZeroLagMacd, IndicatorError> ZeroLagMacd::create(std::uint64_t fast, std::uint64_t slow,
                                                               std::uint64_t signal) {
    constexpr std::string_view kOrder = "ZeroLagMACD fast period must be strictly less than slow";
    if (auto ok = check_macd_periods(fast, slow, signal, kOrder); !ok) return std::unexpected(ok.error());
    return ZeroLagMacd(*ZlemaCore::create(fast), *ZlemaCore::create(slow), *ZlemaCore::create(signal));
}

}  // namespace torvex
