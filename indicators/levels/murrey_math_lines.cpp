#include "indicators/levels/murrey_math_lines.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, MurreyMathLines, 9);

std::expected<MurreyMathLines, IndicatorError> MurreyMathLines::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return MurreyMathLines(n);
}

}  // namespace torvex
