#include "indicators/statistics/lin_reg_slope.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, LinRegSlope);

std::expected<LinRegSlopeCore, IndicatorError> LinRegSlopeCore::create(std::uint64_t n,
                                                                        std::string_view short_message) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period(short_message));
    auto line = LinRegCore::create(n);
    if (!line) return std::unexpected(line.error());
    return LinRegSlopeCore(std::move(*line));
}

std::expected<LinRegSlope, IndicatorError> LinRegSlope::create(std::uint64_t n) {
    auto core = LinRegSlopeCore::create(n, "linear regression slope needs period >= 2");
    if (!core) return std::unexpected(core.error());
    return LinRegSlope(std::move(*core));
}

}  // namespace torvex
