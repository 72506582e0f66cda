#include "indicators/bar.hpp"

namespace torvex {

Checked validate_candle(const Ohlcv& c) {
    if (candle_is_valid(c)) return {};
    auto fail = [](std::string_view m) { return std::unexpected(IndicatorError::invalid_candle(m)); };
    if (!is_finite(c.open) || !is_finite(c.high) || !is_finite(c.low) || !is_finite(c.close))
        return fail("open, high, low, close must all be finite");
    if (!is_finite(c.volume)) return fail("volume must be finite");
    if (0.0 > c.volume) return fail("volume must be non-negative");  // -0.0 passes
    if (c.high < c.low) return fail("high must be >= low");
    if (c.high < c.open || c.high < c.close) return fail("high must be >= open and >= close");
    if (c.low > c.open || c.low > c.close) return fail("low must be <= open and <= close");
    return {};
}

}  // namespace torvex
