#include "indicators/patterns/dumpling_top.hpp"

#include <limits>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, DumplingTop);

std::expected<DumplingTop, IndicatorError> DumplingTop::create(std::uint64_t n) {
    if (n < 5) return std::unexpected(IndicatorError::invalid_period("dumpling top needs period >= 5"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return DumplingTop(n);
}

bool push_close(FixedRing<double>& closes, double close) {
    if (closes.full()) closes.drop_oldest();
    closes.push_back(close);
    return closes.full();
}

bool DumplingTop::rounded_top(const FixedRing<double>& closes, double sign) {
    const std::size_t n = closes.size();
    double highest = -std::numeric_limits<double>::infinity();
    std::size_t at = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double v = sign * closes.from_oldest(i);
        if (v > highest) {
            highest = v;
            at = i;
        }
    }
    const double close = sign * closes.from_newest(0);
    return close < sign * closes.from_oldest(0) && n / 4 <= at && at < n - n / 4 && close < highest;
}

std::optional<double> DumplingTop::step(const Ohlcv& bar) {
    if (!push_close(closes_, bar.close)) return std::nullopt;
    return rounded_top(closes_, 1.0) ? -1.0 : 0.0;
}

}  // namespace torvex
