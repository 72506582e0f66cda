#include "indicators/volume/volume_rsi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, VolumeRsi);

std::expected<VolumeRsi, IndicatorError> VolumeRsi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VolumeRsi(n);
}

}  // namespace torvex
