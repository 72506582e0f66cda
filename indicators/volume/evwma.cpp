#include "indicators/volume/evwma.hpp"

namespace torvex {

std::expected<Evwma, IndicatorError> Evwma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Evwma(n);
}

}  // namespace torvex
