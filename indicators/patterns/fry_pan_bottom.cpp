#include "indicators/patterns/fry_pan_bottom.hpp"

#include "indicators/patterns/dumpling_top.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, FryPanBottom);

std::expected<FryPanBottom, IndicatorError> FryPanBottom::create(std::uint64_t n) {
    if (n < 5) return std::unexpected(IndicatorError::invalid_period("frying pan bottom needs period >= 5"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return FryPanBottom(n);
}

std::optional<double> FryPanBottom::step(const Ohlcv& bar) {
    if (!push_close(closes_, bar.close)) return std::nullopt;
    // The lowest close, first on ties, is the highest of the reflected closes.
    return DumplingTop::rounded_top(closes_, -1.0) ? 1.0 : 0.0;
}

}  // namespace torvex
