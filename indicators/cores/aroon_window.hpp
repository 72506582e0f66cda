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
    [[gnu::always_inline]] std::optional<AroonPair> step(const Ohlcv& bar) {
        extremes_.push(bar.high, bar.low);
        if (!extremes_.full()) return std::nullopt;
        const double n = static_cast<double>(period_);
        return AroonPair{static_cast<double>(period_ - extremes_.highest_age()) * 100.0 / n,
                         static_cast<double>(period_ - extremes_.lowest_age()) * 100.0 / n};
    }

    std::uint64_t period() const { return period_; }

private:
    // The highs and lows of accepted candles are finite.
    explicit AroonWindow(std::uint64_t n) : extremes_(n + 1, ExtremeInputs::NeverNaN), period_(n) {}

    // The extremes of the window with ties to the newest, and the bars that hold them:
    // the same answers as a scan of every bar.
    NewestExtremesAndAges extremes_;
    std::uint64_t period_;
};

}  // namespace torvex
