#include "indicators/momentum/fisher_rsi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, FisherRsi);

std::expected<FisherRsi, IndicatorError> FisherRsi::create(std::uint64_t n) {
    auto rsi = RsiCore::create(n);
    if (!rsi) return std::unexpected(rsi.error());
    return FisherRsi(std::move(*rsi));
}

}  // namespace torvex
