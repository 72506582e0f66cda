#include "indicators/trend/adx.hpp"

namespace torvex {

std::expected<Adx, IndicatorError> Adx::create(std::uint64_t n) {
    auto core = AdxCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Adx(std::move(*core));
}

}  // namespace torvex
