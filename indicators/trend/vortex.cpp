#include "indicators/trend/vortex.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Vortex, 2);

std::expected<Vortex, IndicatorError> Vortex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Vortex(n);
}

}  // namespace torvex
