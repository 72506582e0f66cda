#include "indicators/bands/donchian.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Donchian, 3);

std::expected<Donchian, IndicatorError> Donchian::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Donchian(n);
}

}  // namespace torvex
