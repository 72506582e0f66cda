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
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return highs_.period() + 1; }

private:
    struct Averages {
        double high;
        double low;
    };

    // The bars before the first averages: only fill the windows.
    [[gnu::noinline]] std::optional<double> warm(const Ohlcv& bar);
    template <bool kFull>
    void enter(const Ohlcv& bar);
    // The trend after a close that the binary averages say crosses one (`up`: the high
    // one), decided on the decimals where the close may equal the average it crosses.
    [[gnu::noinline]] bool turn(double close, bool up) const;

    HiLoActivator(SummedWindow highs, SummedWindow lows) : highs_(std::move(highs)), lows_(std::move(lows)) {}

    std::optional<Averages> prev_;
    SummedWindow highs_;
    SummedWindow lows_;
    bool trend_up_ = true;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, HiLoActivator);

}  // namespace torvex
