// Chaikin volatility: the rate of change, over r bars, of the exponential average
// of the bars' ranges, in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ChaikinVolatility final : public CandleIndicator<ChaikinVolatility> {
public:
    // e = 0: ZeroPeriod; e above MAX_PERIOD: InvalidPeriod; then the same for r.
    static std::expected<ChaikinVolatility, IndicatorError> create(std::uint64_t e, std::uint64_t r);

    // A range or an average that is not finite answers nothing and leaves the
    // window alone. Once r + 1 averages are in: (ema − oldest) / oldest · 100, 0 for a
    // zero oldest, and 0 where that quotient leaves the double range. A run of bars
    // whose high is their low decays the average by a constant factor each bar; once
    // it falls below DecayScale::kLow it is held times a power of two (see
    // careful_step), so that its digits and the quotient survive a run of any length.
    std::optional<double> step(const Ohlcv& bar) {
        const double range = bar.high - bar.low;
        if (!is_finite(range)) return std::nullopt;
        if (scaled_left_ != 0) [[unlikely]] return careful_step(range);
        const std::optional<double> ema = ema_.step(range);
        if (!ema || !is_finite(*ema)) return std::nullopt;
        // The window holds the r averages before this one: the oldest leaves as this
        // one comes.
        if (!window_.full()) [[unlikely]] {
            if (*ema < DecayScale::kLow) [[unlikely]] return careful_fill(*ema);
            window_.push_back(*ema);
            return std::nullopt;
        }
        const double old = window_.replace_oldest(*ema);
        if (*ema < DecayScale::kLow) [[unlikely]] return careful_answer(*ema, old);
        return answer(*ema, old);
    }
    std::uint64_t warmup() const override { return ema_.period() + window_.capacity(); }

private:
    ChaikinVolatility(std::uint64_t e, std::uint64_t r) : window_(r), exponents_(r), ema_(e) {}

    std::optional<double> answer(double ema, double old) {
        const double change = (ema - old) / old * 100.0;
        last_ = is_finite(change) ? change : 0.0;
        return last_;
    }

    // The bar on which the average falls below kLow: the group {average} is scaled
    // up, and from here every average joins the window with its power of two.
    [[gnu::noinline]] std::optional<double> careful_answer(double ema, double old);
    // Settles the group {average}; where that scales it, the `own` averages already in
    // the window are marked as in their own units. Whether it did.
    bool start_scaled(double ema, std::uint64_t own);
    // The same while the window first fills: a run that starts before it is full
    // (prices near the smallest doubles reach kLow within a few bars) is held scaled
    // from there, lest the averages the window will divide by decay to zero first.
    [[gnu::noinline]] std::optional<double> careful_fill(double ema);
    // A bar while the average is held scaled, or while the window still holds an
    // average that was: the range enters in the held units, and the oldest average is
    // read against the newest with the difference of their powers.
    [[gnu::noinline]] std::optional<double> careful_step(double range);

    std::optional<double> last_;
    CappedRing<double> window_;
    // Beside each average of the window, the power of two it is held times; kept only
    // while scaled_left_ is not 0 (every average is in its own units otherwise).
    CappedRing<std::int64_t> exponents_;
    // Pushes left before every average in the window is in its own units again.
    std::uint64_t scaled_left_ = 0;
    DecayScale scale_;
    SeededEma ema_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ChaikinVolatility);

}  // namespace torvex
