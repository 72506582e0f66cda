#include "indicators/statistics/lin_reg_intercept.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, LinRegIntercept);

std::expected<LinRegIntercept, IndicatorError> LinRegIntercept::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("linear regression intercept needs period >= 2"));
    auto line = LinRegCore::create(n);
    if (!line) return std::unexpected(line.error());
    return LinRegIntercept(std::move(*line));
}

}  // namespace torvex
