#include "indicators/momentum/cci.hpp"

namespace torvex {

std::expected<CciCore, IndicatorError> CciCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CciCore(n);
}

std::expected<Cci, IndicatorError> Cci::create(std::uint64_t n) {
    auto core = CciCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Cci(std::move(*core));
}

}  // namespace torvex
