#include "indicators/momentum/volume_weighted_macd.hpp"

#include "indicators/cores/macd_core.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, VolumeWeightedMacd, 3);

std::expected<VolumeWeightedMacd, IndicatorError> VolumeWeightedMacd::create(std::uint64_t fast,
                                                                             std::uint64_t slow,
                                                                             std::uint64_t signal) {
    if (auto ok = check_macd_periods(fast, slow, signal); !ok) return std::unexpected(ok.error());
    return VolumeWeightedMacd(*VwmaCore::create(fast), *VwmaCore::create(slow), SeededEma(signal));
}

}  // namespace torvex
