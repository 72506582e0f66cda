// Gann high-low activator: the average low of the last n bars while the trend is
// up, the average high while it is down; the close crossing the previous bar's
// averages turns the trend.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/summed_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class HiLoActivator final : public CandleIndicator<HiLoActivator> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<HiLoActivator, IndicatorError> create(std::uint64_t n);

    // The first full window only sets the averages; from the next bar on, answers
    // the previous bar's low average (trend up) or high average (trend down).
    std::optional<double> step(const Ohlcv& bar) {
        if (highs_.full()) {
            highs_.drop_oldest();
            lows_.drop_oldest();
        }
        highs_.append(bar.high);
        lows_.append(bar.low);
        highs_.count_update();
        lows_.count_update();
        if (!highs_.full()) return std::nullopt;
        const double n = static_cast<double>(highs_.period());
        const Averages now{highs_.sum() / n, lows_.sum() / n};
        if (!prev_) {
            prev_ = now;
            return std::nullopt;
        }
        if (bar.close > prev_->high) {
            trend_up_ = true;
        } else if (bar.close < prev_->low) {
            trend_up_ = false;
        }
        const double result = trend_up_ ? prev_->low : prev_->high;
        prev_ = now;
        return result;
    }
    std::uint64_t warmup() const override { return highs_.period() + 1; }

private:
    struct Averages {
        double high;
        double low;
    };

    HiLoActivator(SummedWindow highs, SummedWindow lows) : highs_(std::move(highs)), lows_(std::move(lows)) {}

    std::optional<Averages> prev_;
    SummedWindow highs_;
    SummedWindow lows_;
    bool trend_up_ = true;
};

}  // namespace torvex
