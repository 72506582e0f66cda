// Klinger volume oscillator: fast minus slow exponential average of the volume force.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <expected>
#include <optional>

#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Kvo final : public CandleIndicator<Kvo> {
public:
    // fast or slow 0: ZeroPeriod; fast >= slow: InvalidPeriod; slow above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<Kvo, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    // Nothing on the first bar, until the slow average has a value, and for a bar
    // whose force is not finite (the averages skip it).
    std::optional<double> step(const Ohlcv& bar) {
        const double hlc = bar.high + bar.low + bar.close;
        const double move = hlc - prev_hlc_;
        // A move within kNear of the level may be a tie in the printed decimals: the
        // sums of bars that print the same may round a few units in the last place
        // apart. A tie and the first bar (prev_hlc_ NaN) go there too.
        const double near = kNear * std::fabs(hlc);
        if (move > near) return advance(bar, hlc, 1);
        if (move < -near) return advance(bar, hlc, -1);
        return near_step(bar, hlc);
    }
    std::uint64_t warmup() const override { return slow_.period() + 1; }

private:
    Kvo(std::uint64_t fast, std::uint64_t slow) : fast_(fast), slow_(slow) {}

    // The step of a bar whose high + low + close lies within kNear of the previous
    // bar's: a rise or a fall by the doubles unless both print as one decimal, and the
    // first bar.
    [[gnu::noinline]] std::optional<double> near_step(const Ohlcv& bar, double hlc);

    // The step once the bar's trend is known.
    std::optional<double> advance(const Ohlcv& bar, double hlc, std::int8_t trend) {
        const double dm = bar.high - bar.low;
        cm_ = ((trend == trend_ && trend_ != 0) ? cm_ : prev_dm_) + dm;
        trend_ = trend;
        double force = 0.0;
        if (cm_ != 0.0) {
            double t = dm / cm_;
            t = t - 1.0;
            t = t + t;
            force = bar.volume * std::fabs(t);
            force = force * static_cast<double>(trend);
            force = force * 100.0;
        }
        prev_dm_ = dm;
        prev_hlc_ = hlc;
        if (!is_finite(force)) return std::nullopt;
        const std::optional<double> f = fast_.step(force);
        const std::optional<double> s = slow_.step(force);
        if (!f || !s) return std::nullopt;
        return *f - *s;
    }

    // Sums that print alike lie some 2^-50 of the level apart.
    static constexpr double kNear = 0x1p-40;

    double prev_dm_ = 0.0;
    bool started_ = false;
    double prev_hlc_ = std::numeric_limits<double>::quiet_NaN();
    double cm_ = 0.0;
    std::int8_t trend_ = 0;
    SeededEma fast_;
    SeededEma slow_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Kvo);

}  // namespace torvex
