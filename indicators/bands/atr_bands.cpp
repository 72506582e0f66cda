#include "indicators/bands/atr_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, AtrBands, 3);

std::expected<AtrBands, IndicatorError> AtrBands::create(std::uint64_t n, double k) {
    auto atr = create_scaled_atr(n, k);
    if (!atr) return std::unexpected(atr.error());
    return AtrBands(*atr, k);
}

}  // namespace torvex
