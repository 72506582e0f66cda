#include "indicators/momentum/elder_impulse.hpp"

#include <algorithm>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, ElderImpulse);

std::expected<ElderImpulse, IndicatorError> ElderImpulse::create(std::uint64_t e, std::uint64_t fast,
                                                                 std::uint64_t slow, std::uint64_t signal) {
    auto ema = SeededEma::create(e);
    if (!ema) return std::unexpected(ema.error());
    auto macd = MacdCore::create(fast, slow, signal);
    if (!macd) return std::unexpected(macd.error());
    return ElderImpulse(*ema, *macd);
}

std::uint64_t ElderImpulse::warmup() const {
    // The first bar with both an average and a histogram only primes the comparison.
    return std::max(ema_.period(), macd_.first_value_bar()) + 1;
}

}  // namespace torvex
