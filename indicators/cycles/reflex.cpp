#include "indicators/cycles/reflex.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Reflex);

std::expected<Reflex, IndicatorError> Reflex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Reflex(n);
}

}  // namespace torvex
