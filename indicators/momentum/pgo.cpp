#include "indicators/momentum/pgo.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Pgo);

std::expected<Pgo, IndicatorError> Pgo::create(std::uint64_t n) {
    auto closes = FlatExactSma::create(n);
    if (!closes) return std::unexpected(closes.error());
    return Pgo(SeededEma(n), std::move(*closes));
}

}  // namespace torvex
