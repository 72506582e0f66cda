#include "indicators/risk/win_rate.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, WinRate);

std::expected<WinRate, IndicatorError> WinRate::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return WinRate(n);
}

}  // namespace torvex
