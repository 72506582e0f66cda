#include "indicators/bands/starc_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, StarcBands, 3);

std::expected<StarcBands, IndicatorError> StarcBands::create(std::uint64_t m, std::uint64_t n, double k) {
    auto channel = AtrEnvelope<SmaCore>::create(m, n, k);
    if (!channel) return std::unexpected(channel.error());
    return StarcBands(std::move(*channel));
}

}  // namespace torvex
