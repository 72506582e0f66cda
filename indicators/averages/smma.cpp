#include "indicators/averages/smma.hpp"

namespace torvex {

std::expected<Smma, IndicatorError> Smma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Smma(n);
}

}  // namespace torvex
