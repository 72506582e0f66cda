#include "indicators/patterns/new_price_lines.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, NewPriceLines);

std::expected<NewPriceLines, IndicatorError> NewPriceLines::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("new price lines count must be >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return NewPriceLines(n);
}

}  // namespace torvex
