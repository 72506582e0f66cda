#include "indicators/bands/equivolume.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Equivolume, 2);

std::expected<Equivolume, IndicatorError> Equivolume::create(std::uint64_t n) {
    auto volume = RelativeVolume::create(n);
    if (!volume) return std::unexpected(volume.error());
    return Equivolume(std::move(*volume));
}

}  // namespace torvex
