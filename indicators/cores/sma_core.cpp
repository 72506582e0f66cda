#include "indicators/cores/sma_core.hpp"


namespace torvex {

std::expected<SmaCore, IndicatorError> SmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SmaCore(n);
}

}  // namespace torvex
