// The Aroon window scan: the last n + 1 bars, and how many bars back (as a share of
// n, in percent) the highest high and the lowest low of the window stand.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/error.hpp"

namespace torvex {

struct AroonPair {
    double up;    // 100 when the newest bar holds the highest high
    double down;  // 100 when the newest bar holds the lowest low
};

class AroonWindow {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod. Room for n + 1 bars.
    static std::expected<AroonWindow, IndicatorError> create(std::uint64_t n);

    // Takes a bar (already validated) into the window of the last n + 1; once n + 1
    // bars are held, answers the index of the highest high and of the lowest low,
    // oldest = 0, times 100 / n. On ties the newer bar wins.
    std::optional<AroonPair> step(const Ohlcv& bar);

    std::uint64_t period() const { return period_; }

private:
    explicit AroonWindow(std::uint64_t n) : highs_(n + 1), lows_(n + 1), period_(n) {}

    // The queues keep, oldest first, the bars (numbered from 0) that no newer bar
    // has matched or beaten, so their fronts are the extremes of the window with ties
    // to the newest: the same answers as a scan of every bar, in O(1) amortised.
    ExtremeQueue<NotAboveIncoming> highs_;
    ExtremeQueue<NotBelowIncoming> lows_;
    std::uint64_t period_;
    std::uint64_t count_ = 0;  // bars taken so far
};

}  // namespace torvex
