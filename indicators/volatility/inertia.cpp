#include "indicators/volatility/inertia.hpp"

#include <utility>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Inertia);

std::expected<Inertia, IndicatorError> Inertia::create(std::uint64_t p, std::uint64_t q) {
    if (p == 0 || q == 0) return std::unexpected(IndicatorError::zero_period());
    auto rvi = RviVolatilityCore::create(p);
    if (!rvi) return std::unexpected(rvi.error());
    auto line = LinRegCore::create(q);
    if (!line) return std::unexpected(line.error());
    return Inertia(std::move(*rvi), std::move(*line));
}

}  // namespace torvex
