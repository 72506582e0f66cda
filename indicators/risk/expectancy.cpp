#include "indicators/risk/expectancy.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Expectancy);

std::expected<Expectancy, IndicatorError> Expectancy::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Expectancy(n);
}

}  // namespace torvex
