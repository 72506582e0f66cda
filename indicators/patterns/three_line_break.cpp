#include "indicators/patterns/three_line_break.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ThreeLineBreak);

std::expected<ThreeLineBreak, IndicatorError> ThreeLineBreak::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ThreeLineBreak(n);
}

}  // namespace torvex
