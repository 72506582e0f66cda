#include "indicators/demark/td_d_wave.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TdDWave);

std::expected<TdDWave, IndicatorError> TdDWave::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdDWave(n);
}

}  // namespace torvex
