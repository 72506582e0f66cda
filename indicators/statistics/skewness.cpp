#include "indicators/statistics/skewness.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Skewness);

std::expected<Skewness, IndicatorError> Skewness::create(std::uint64_t n) {
    if (n < 3) return std::unexpected(IndicatorError::invalid_period("skewness needs period >= 3"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return Skewness(n);
}

}  // namespace torvex
