#include "indicators/trend/adxr.hpp"

#include <utility>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Adxr);

std::expected<Adxr, IndicatorError> Adxr::create(std::uint64_t n) {
    auto adx = AdxCore::create(n);
    if (!adx) return std::unexpected(adx.error());
    return Adxr(std::move(*adx), n);
}

}  // namespace torvex
