// Pretty good oscillator: the distance of the close from its n-bar simple average,
// in units of an exponential average of the true range.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Pgo final : public CandleIndicator<Pgo> {
public:
    // Z(n), M(n).
    static std::expected<Pgo, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> avg = close_average_.step(bar.close);
        double tr = bar.high - bar.low;
        if (prev_close_) {
            tr = std::max(std::max(tr, std::fabs(bar.high - *prev_close_)), std::fabs(bar.low - *prev_close_));
        }
        prev_close_ = bar.close;
        if (!is_finite(tr)) return std::nullopt;
        const std::optional<double> atr = tr_average_.step(tr);
        if (!atr || !avg) return std::nullopt;
        if (!(*atr > 0.0)) return last_;
        const double pgo = (bar.close - *avg) / *atr;
        last_ = pgo;
        return pgo;
    }
    std::uint64_t warmup() const override { return close_average_.period(); }

private:
    Pgo(SeededEma tr_average, FlatExactSma close_average)
        : tr_average_(tr_average), close_average_(std::move(close_average)) {}

    std::optional<double> prev_close_;
    std::optional<double> last_;
    SeededEma tr_average_;
    // n equal closes are their own average exactly: over a flat stretch the true
    // range's average decays towards 0, and a rounding divided by it would grow
    // without bound.
    FlatExactSma close_average_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Pgo);

}  // namespace torvex
