#include "indicators/bands/donchian.hpp"

namespace torvex {

std::expected<Donchian, IndicatorError> Donchian::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Donchian(n);
}

}  // namespace torvex
