// Force index: exponential average of volume times the close change.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/seeded_ema.hpp"
#include "indicators/cores/volume_force_step.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ForceIndex final : public CandleIndicator<ForceIndex> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<ForceIndex, IndicatorError> create(std::uint64_t n);

    // Nothing on the first bar, for a non-finite force (the average skips it), and
    // until n forces are averaged.
    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> raw = force_.push(bar);
        if (!raw || !is_finite(*raw)) return std::nullopt;
        return ema_.step(*raw);
    }
    std::uint64_t warmup() const override { return ema_.period() + 1; }

private:
    explicit ForceIndex(std::uint64_t n) : ema_(n) {}

    VolumeForceStep force_;
    SeededEma ema_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ForceIndex);

}  // namespace torvex
