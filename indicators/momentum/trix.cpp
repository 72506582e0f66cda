#include "indicators/momentum/trix.hpp"

namespace torvex {

std::expected<Trix, IndicatorError> Trix::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Trix(n);
}

}  // namespace torvex
