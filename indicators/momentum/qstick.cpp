#include "indicators/momentum/qstick.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Qstick);

std::expected<Qstick, IndicatorError> Qstick::create(std::uint64_t n) {
    auto average = SmaCore::create(n);
    if (!average) return std::unexpected(average.error());
    return Qstick(std::move(*average));
}

}  // namespace torvex
