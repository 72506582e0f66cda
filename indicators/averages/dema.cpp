#include "indicators/averages/dema.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Dema);

std::expected<Dema, IndicatorError> Dema::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Dema(n);
}

}  // namespace torvex
