// Money flow index: the share of the money flow of rising typical prices in the
// flow of the last n bars, on a 0 to 100 scale.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <expected>
#include <optional>

#include "indicators/cores/bar_prices.hpp"
#include "indicators/cores/printed_decimal.hpp"
#include "indicators/cores/resummed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Mfi final : public CandleIndicator<Mfi> {
public:
    static constexpr bool kStepsOnFields = true;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Mfi, IndicatorError> create(std::uint64_t n);

    // Nothing on the first bar and until n flows are held; then 100 − 100/(1 + P/N),
    // or 100 (50 when P is 0 too) for a window without negative flow.
    std::optional<double> step(const Ohlcv& bar) {
        const double tp = typical_price(bar);
        double move = tp - prev_tp_;
        // A move within kNear of the level may be a tie in the printed decimals: high +
        // low + close of bars that print the same may round to typical prices a few
        // units in the last place apart. A tie and the first bar (prev_tp_ NaN) come
        // here too.
        if (!(std::fabs(move) > kNear * std::fabs(tp))) [[unlikely]] {
            if (!started_) {
                started_ = true;
                prev_tp_ = tp;
                return std::nullopt;
            }
            // Three times a typical price is its bar's sum, to a few roundings.
            if (same_printed(3.0 * tp, 3.0 * prev_tp_)) move = 0.0;
        }
        const double raw = bar.volume * tp;
        positive_.push(move > 0.0 ? raw : 0.0);
        negative_.push(move < 0.0 ? raw : 0.0);
        prev_tp_ = tp;
        if (!positive_.full()) return std::nullopt;
        const double p = positive_.sum();
        const double n = negative_.sum();
        if (n == 0.0) return p == 0.0 ? 50.0 : 100.0;
        return 100.0 - 100.0 / (1.0 + p / n);
    }
    std::uint64_t warmup() const override { return positive_.period() + 1; }

private:
    explicit Mfi(std::uint64_t n) : positive_(n), negative_(n) {}

    // Typical prices that print alike lie some 2^-49 of the level apart.
    static constexpr double kNear = 0x1p-40;

    bool started_ = false;
    double prev_tp_ = std::numeric_limits<double>::quiet_NaN();
    // Pushed together, so both sums are re-added on the same bar, every n bars.
    ResummedRing positive_;
    ResummedRing negative_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Mfi);

}  // namespace torvex
