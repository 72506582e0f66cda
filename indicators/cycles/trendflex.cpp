#include "indicators/cycles/trendflex.hpp"

namespace torvex {

std::expected<Trendflex, IndicatorError> Trendflex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Trendflex(n);
}

}  // namespace torvex
