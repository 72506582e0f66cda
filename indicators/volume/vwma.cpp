#include "indicators/volume/vwma.hpp"

namespace torvex {

std::expected<VwmaCore, IndicatorError> VwmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VwmaCore(n);
}

std::expected<Vwma, IndicatorError> Vwma::create(std::uint64_t n) {
    auto core = VwmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Vwma(std::move(*core));
}

}  // namespace torvex
