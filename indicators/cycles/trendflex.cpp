#include "indicators/cycles/trendflex.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Trendflex);

std::expected<Trendflex, IndicatorError> Trendflex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Trendflex(n);
}

}  // namespace torvex
