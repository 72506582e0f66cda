// Bars that make the swing tracker (reversal 0.05) confirm a chosen list of pivots.
#pragma once

#include <vector>

#include "candle_test_bars.hpp"

namespace torvex::test {

// One flat bar per pivot price, then a bar that confirms the last one: pivot k is
// confirmed on bar k + 1. The first price is a top (the first leg always rises) and
// every move between neighbours must reach 5%.
inline std::vector<Ohlcv> zigzag(const std::vector<double>& pivots) {
    std::vector<Ohlcv> bars;
    for (double p : pivots) bars.push_back(flat(p));
    const bool last_is_top = pivots.size() % 2 == 1;
    const double last = pivots.back();
    bars.push_back(flat(last_is_top ? last * 0.9 : last * 1.1));
    return bars;
}

}  // namespace torvex::test
