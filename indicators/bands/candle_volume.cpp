#include "indicators/bands/candle_volume.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, CandleVolume, 2);

std::expected<CandleVolume, IndicatorError> CandleVolume::create(std::uint64_t n) {
    auto volume = RelativeVolume::create(n);
    if (!volume) return std::unexpected(volume.error());
    return CandleVolume(std::move(*volume));
}

}  // namespace torvex
