// Helpers for feeding indicators in tests.
#pragma once

#include <optional>
#include <vector>

#include "indicators/indicator.hpp"

namespace torvex::test {

inline Ohlcv close_bar(double close) { return Ohlcv{0, close, close, close, close, 0.0}; }

// Feeds one bar built from a close price only.
inline std::optional<double> feed_close(DynIndicator& ind, double close) {
    const Ohlcv bar = close_bar(close);
    return ind.update(BarContext(bar));
}

inline std::optional<double> feed(DynIndicator& ind, const Ohlcv& bar) {
    return ind.update(BarContext(bar));
}

// Feeds every close and returns each answer.
inline std::vector<std::optional<double>> feed_closes(DynIndicator& ind, const std::vector<double>& closes) {
    std::vector<std::optional<double>> out;
    out.reserve(closes.size());
    for (double c : closes) out.push_back(feed_close(ind, c));
    return out;
}

}  // namespace torvex::test
