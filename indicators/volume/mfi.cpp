#include "indicators/volume/mfi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Mfi);

std::expected<Mfi, IndicatorError> Mfi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Mfi(n);
}

}  // namespace torvex
