// TTM trend: +1 while the close lies above the n-bar simple average of the bar
// midpoint, -1 otherwise.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/exact_sum.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class TtmTrend final : public CandleIndicator<TtmTrend> {
public:
    // Z(n), M(n).
    static std::expected<TtmTrend, IndicatorError> create(std::uint64_t n);

    // Always inlined: the column loop is instantiated in more than one translation
    // unit, and where the compiler calls the step the loop keeps its state in memory.
    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        const double mid = midpoint(bar.high, bar.low);
        if (!is_finite(mid)) return std::nullopt;
        if (midpoints_.full()) [[likely]] {
            sum_.remove(midpoints_.replace_oldest(mid));
        } else {
            midpoints_.push_back(mid);
            if (!midpoints_.full()) {
                sum_.add(mid);
                return std::nullopt;
            }
        }
        sum_.add(mid);
        return above_average(bar.close) ? 1.0 : -1.0;
    }
    std::uint64_t warmup() const override { return midpoints_.capacity(); }

private:
    explicit TtmTrend(std::uint64_t n) : midpoints_(n) {}

    // close > Σ/n decided as n·close > Σ on the exact sum: a close a fraction of a
    // rounding from the average lies on the same side whatever bars came before the
    // window, and a close equal to n equal midpoints lies on neither.
    bool above_average(double close) const {
        if (!is_finite(close)) return close > 0.0;
        return sum_.sign_of_count_times_minus_sum(midpoints_.capacity(), close) > 0;
    }

    FixedRing<double> midpoints_;
    ExactSum sum_;  // of the midpoints held
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TtmTrend);

}  // namespace torvex
