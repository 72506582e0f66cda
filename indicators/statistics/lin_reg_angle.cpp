#include "indicators/statistics/lin_reg_angle.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, LinRegAngle);

std::expected<LinRegAngle, IndicatorError> LinRegAngle::create(std::uint64_t n) {
    // The angle is the slope seen another way, and refuses with the slope's text.
    auto core = LinRegSlopeCore::create(n, "linear regression slope needs period >= 2");
    if (!core) return std::unexpected(core.error());
    return LinRegAngle(std::move(*core));
}

}  // namespace torvex
