#include "indicators/averages/mid_point.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, MidPoint);

std::expected<MidPoint, IndicatorError> MidPoint::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return MidPoint(n);
}

}  // namespace torvex
