#include "indicators/demark/td_differential.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/decimal_tie.hpp"

namespace torvex {

double TdDifferential::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const double buying2 = c2.close - std::min(c2.low, c1.close);
    const double selling2 = std::max(c2.high, c1.close) - c2.close;
    const double buying3 = bar.close - std::min(bar.low, c2.close);
    const double selling3 = std::max(bar.high, c2.close) - bar.close;
    const bool bullish = bar.close < c2.close && c2.close < c1.close && buying3 > buying2 && selling3 < selling2;
    const bool bearish = bar.close > c2.close && c2.close > c1.close && buying3 < buying2 && selling3 > selling2;
    // Pressures are never negative: one within a few parts in 2^16 of the other it is
    // compared with may equal it in the decimals (see pressures_tie).
    constexpr double kNear = 1.0 + 0x1p-16;
    const bool sure = bullish ? buying3 > buying2 * kNear && selling3 * kNear < selling2
                              : buying3 * kNear < buying2 && selling3 > selling2 * kNear;
    if ((bullish || bearish) && !sure) [[unlikely]] return unless_tied(c1, c2, bar, signal(bullish, bearish));
    return signal(bullish, bearish);
}

double TdDifferential::unless_tied(const Ohlcv& c1, const Ohlcv& c2, const Ohlcv& bar, double answer) {
    // Each pressure is a difference of two prices, so two of them are equal in the
    // decimals exactly when the crossed sums are; they round apart by some units in the
    // last place of the prices, far below a few parts in 2^16 of any move of a tick.
    const auto near = [](double a, double b) { return std::fabs(a - b) <= (a + b) * 0x1p-16; };
    const double low2 = std::min(c2.low, c1.close), high2 = std::max(c2.high, c1.close);
    const double low3 = std::min(bar.low, c2.close), high3 = std::max(bar.high, c2.close);
    const bool buying = near(bar.close - low3, c2.close - low2) && sums_tie_in_decimals(bar.close, low2, c2.close, low3);
    const bool selling = near(high3 - bar.close, high2 - c2.close) && sums_tie_in_decimals(high3, c2.close, high2, bar.close);
    return buying || selling ? 0.0 : answer;
}

}  // namespace torvex
