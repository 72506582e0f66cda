#include "indicators/cores/cmo_core.hpp"

namespace torvex {

std::expected<CmoCore, IndicatorError> CmoCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CmoCore(n);
}

}  // namespace torvex
