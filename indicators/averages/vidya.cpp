#include "indicators/averages/vidya.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Vidya);

std::expected<Vidya, IndicatorError> Vidya::create(std::uint64_t p, std::uint64_t q) {
    if (p == 0) return std::unexpected(IndicatorError::zero_period());
    auto cmo = CmoCore::create(q);
    if (!cmo) return std::unexpected(cmo.error());
    return Vidya(std::move(*cmo), 2.0 / (static_cast<double>(p) + 1.0));
}

}  // namespace torvex
