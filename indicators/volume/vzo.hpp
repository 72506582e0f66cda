// Volume zone oscillator: the exponential average of volume signed by the close's
// direction, as a percentage of the exponential average of volume.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Vzo final : public CandleIndicator<Vzo> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Vzo, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return position_.period() + 1; }

private:
    explicit Vzo(std::uint64_t n) : position_(n), total_(n) {}

    std::optional<double> prev_close_;
    SeededEma position_;
    SeededEma total_;
};

}  // namespace torvex
