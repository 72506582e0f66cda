#include "indicators/cycles/center_of_gravity.hpp"

namespace torvex {

std::expected<CenterOfGravity, IndicatorError> CenterOfGravity::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CenterOfGravity(n);
}

}  // namespace torvex
