#include "indicators/momentum/rmi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Rmi);

std::expected<Rmi, IndicatorError> Rmi::create(std::uint64_t n, std::uint64_t m) {
    if (n == 0 || m == 0) return std::unexpected(IndicatorError::zero_period());
    // The lag sizes the ring of closes and n the seed; neither may ask for an
    // unbounded allocation.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(m); !ok) return std::unexpected(ok.error());
    return Rmi(n, m);
}

}  // namespace torvex
