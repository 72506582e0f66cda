#include "indicators/volume/force_index.hpp"

namespace torvex {

std::expected<ForceIndex, IndicatorError> ForceIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ForceIndex(n);
}

}  // namespace torvex
