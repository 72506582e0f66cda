#include "indicators/averages/super_smoother.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, SuperSmoother);

std::expected<SuperSmoother, IndicatorError> SuperSmoother::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SuperSmoother(n);
}

}  // namespace torvex
