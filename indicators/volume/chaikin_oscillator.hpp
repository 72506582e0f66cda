// Chaikin oscillator: fast minus slow exponential average of the accumulation/
// distribution line.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

class ChaikinOscillator final : public CandleIndicator<ChaikinOscillator> {
public:
    static constexpr bool kStepsOnFields = true;

    // fast or slow 0: ZeroPeriod; fast >= slow: InvalidPeriod; a length above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<ChaikinOscillator, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    // Nothing until the slow average has its first value, and nothing for a bar whose
    // line is not finite (the averages skip it).
    std::optional<double> step(const Ohlcv& bar) {
        line_.add(money_flow_volume(bar));
        const double line = line_.value();
        if (!is_finite(line)) return std::nullopt;
        // Both averages take every finite line, the fast one seeding first: once the
        // slow one is seeded the step is two smoothing steps.
        if (slow_.seeded()) [[likely]] {
            fast_.smooth(line);
            slow_.smooth(line);
            return fast_.value() - slow_.value();
        }
        const std::optional<double> f = fast_.step(line);
        const std::optional<double> s = slow_.step(line);
        if (!f || !s) return std::nullopt;
        return *f - *s;
    }
    std::uint64_t warmup() const override { return slow_.period(); }

private:
    ChaikinOscillator(std::uint64_t fast, std::uint64_t slow) : fast_(fast), slow_(slow) {}

    CompensatedSum line_;  // the accumulation/distribution line since the first bar
    SeededEma fast_;
    SeededEma slow_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ChaikinOscillator);

}  // namespace torvex
