// Money flow index: the share of the money flow of rising typical prices in the
// flow of the last n bars, on a 0 to 100 scale.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/bar_prices.hpp"
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
        if (!prev_tp_) {
            prev_tp_ = tp;
            return std::nullopt;
        }
        const double raw = bar.volume * tp;
        positive_.push(tp > *prev_tp_ ? raw : 0.0);
        negative_.push(tp < *prev_tp_ ? raw : 0.0);
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

    std::optional<double> prev_tp_;
    // Pushed together, so both sums are re-added on the same bar, every n bars.
    ResummedRing positive_;
    ResummedRing negative_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Mfi);

}  // namespace torvex
