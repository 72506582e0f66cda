#include "indicators/volume/vzo.hpp"

namespace torvex {

std::expected<Vzo, IndicatorError> Vzo::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Vzo(n);
}

}  // namespace torvex
