#include "indicators/trend/chande_kroll_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ChandeKrollStop, 2);

std::expected<ChandeKrollStop, IndicatorError> ChandeKrollStop::create(std::uint64_t p, double x, std::uint64_t q) {
    if (!(is_finite(x) && x > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    if (auto ok = check_period(q); !ok) return std::unexpected(ok.error());
    auto atr = WilderAtr::create(p);
    if (!atr) return std::unexpected(atr.error());
    return ChandeKrollStop(*atr, x, q);
}

}  // namespace torvex
