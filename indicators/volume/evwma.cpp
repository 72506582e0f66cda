#include "indicators/volume/evwma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Evwma);

std::expected<Evwma, IndicatorError> Evwma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Evwma(n);
}

}  // namespace torvex
