// Klinger volume oscillator: fast minus slow exponential average of the volume force.
#pragma once

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
    std::optional<double> step(const Ohlcv& bar);
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

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Kvo);

}  // namespace torvex
