#include "indicators/trend/zig_zag.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ZigZag, 2);

std::expected<ZigZag, IndicatorError> ZigZag::create(double f) {
    if (!(f > 0.0 && f < 1.0))
        return std::unexpected(IndicatorError::invalid_period("ZigZag threshold must be a finite fraction in (0, 1)"));
    return ZigZag(f);
}

}  // namespace torvex
