#include "indicators/momentum/dpo.hpp"

namespace torvex {

// The ring holds one close beyond the capacity for the moment between the append and
// the eviction.
Dpo::Dpo(std::uint64_t n)
    : window_(std::max(n, n / 2 + 2) + 1), period_(n), lag_(n / 2), capacity_(std::max(n, n / 2 + 2)), clock_(n) {}

std::expected<Dpo, IndicatorError> Dpo::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Dpo(n);
}

}  // namespace torvex
