#include "indicators/statistics/kurtosis.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Kurtosis);

std::expected<Kurtosis, IndicatorError> Kurtosis::create(std::uint64_t n) {
    if (n < 4) return std::unexpected(IndicatorError::invalid_period("kurtosis needs period >= 4"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return Kurtosis(n);
}

}  // namespace torvex
