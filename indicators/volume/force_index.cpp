#include "indicators/volume/force_index.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ForceIndex);

std::expected<ForceIndex, IndicatorError> ForceIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ForceIndex(n);
}

}  // namespace torvex
