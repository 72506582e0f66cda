#include "indicators/momentum/tsi.hpp"

namespace torvex {

std::expected<Tsi, IndicatorError> Tsi::create(std::uint64_t r, std::uint64_t s) {
    // Both zero tests come before either bound test.
    if (r == 0 || s == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(r); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(s); !ok) return std::unexpected(ok.error());
    return Tsi(r, s);
}

}  // namespace torvex
