#include "indicators/profiles/volume_weighted_sr.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, VolumeWeightedSr, 2);

std::expected<VolumeWeightedSr, IndicatorError> VolumeWeightedSr::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return VolumeWeightedSr(period);
}

}  // namespace torvex
