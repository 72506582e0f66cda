// Klinger volume oscillator: fast minus slow exponential average of the volume force.
#pragma once

#include <cmath>
#include <cstdint>
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
        const double dm = bar.high - bar.low;
        if (!prev_dm_) {
            prev_dm_ = dm;
            prev_hlc_ = hlc;
            return std::nullopt;
        }
        const std::int8_t trend = hlc > prev_hlc_ ? 1 : (hlc < prev_hlc_ ? -1 : trend_);
        cm_ = ((trend == trend_ && trend_ != 0) ? cm_ : *prev_dm_) + dm;
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
    std::uint64_t warmup() const override { return slow_.period() + 1; }

private:
    Kvo(std::uint64_t fast, std::uint64_t slow) : fast_(fast), slow_(slow) {}

    std::optional<double> prev_dm_;
    double prev_hlc_ = 0.0;
    double cm_ = 0.0;
    std::int8_t trend_ = 0;
    SeededEma fast_;
    SeededEma slow_;
};

}  // namespace torvex
