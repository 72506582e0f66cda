#include "indicators/momentum/disparity_index.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, DisparityIndex);

std::expected<DisparityIndex, IndicatorError> DisparityIndex::create(std::uint64_t n) {
    auto mean = SmaCore::create(n);
    if (!mean) return std::unexpected(mean.error());
    return DisparityIndex(std::move(*mean));
}

}  // namespace torvex
