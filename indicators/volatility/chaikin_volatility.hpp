// Chaikin volatility: the rate of change, over r bars, of the exponential average
// of the bars' ranges, in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class ChaikinVolatility final : public CandleIndicator<ChaikinVolatility> {
public:
    // e = 0: ZeroPeriod; e above MAX_PERIOD: InvalidPeriod; then the same for r.
    static std::expected<ChaikinVolatility, IndicatorError> create(std::uint64_t e, std::uint64_t r);

    // A range or an average that is not finite answers nothing and leaves the
    // window alone. Once r + 1 averages are in: (ema − oldest) / oldest · 100, 0 for a
    // zero oldest. A run of bars whose high is their low decays the average by a
    // constant factor each bar, down into the subnormal range, where it has lost its
    // digits (the quotient drifts, and the first range after the run is divided by
    // the smallest subnormal); an oldest average below the normal range therefore
    // reads as zero, and so does one just above it that a new range divides past the
    // largest double.
    std::optional<double> step(const Ohlcv& bar) {
        const double range = bar.high - bar.low;
        if (!is_finite(range)) return std::nullopt;
        const std::optional<double> ema = ema_.step(range);
        if (!ema || !is_finite(*ema)) return std::nullopt;
        window_.push(*ema);
        if (!window_.full()) return std::nullopt;
        const double old = window_.front();
        const double change = (*ema - old) / old * 100.0;
        last_ = below_normal(old) || !is_finite(change) ? 0.0 : change;
        return last_;
    }
    std::uint64_t warmup() const override { return ema_.period() + window_.capacity() - 1; }

private:
    ChaikinVolatility(std::uint64_t e, std::uint64_t r) : window_(r + 1), ema_(e) {}

    std::optional<double> last_;
    CappedRing<double> window_;
    SeededEma ema_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ChaikinVolatility);

}  // namespace torvex
