#include "indicators/averages/ema.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Ema);

std::expected<Ema, IndicatorError> Ema::create(std::uint64_t n) {
    auto chain = EmaChain<1>::create(n);
    if (!chain) return std::unexpected(chain.error());
    return Ema(std::move(*chain));
}

}  // namespace torvex
