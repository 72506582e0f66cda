// Volume oscillator: the fast simple mean of volume against the slow one, in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sma_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VolumeOscillator final : public CandleIndicator<VolumeOscillator> {
public:
    // fast or slow 0: ZeroPeriod; fast >= slow: InvalidPeriod; a length above
    // MAX_PERIOD: InvalidPeriod.
    static std::expected<VolumeOscillator, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    // (fast − slow)·100/slow once both means exist; 0 when the slow mean is 0.
    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> f = fast_.step(bar.volume);
        const std::optional<double> s = slow_.step(bar.volume);
        if (!f || !s) return std::nullopt;
        if (*s == 0.0) return 0.0;
        return (*f - *s) * 100.0 / *s;
    }
    std::uint64_t warmup() const override { return slow_.period(); }

private:
    VolumeOscillator(SmaCore fast, SmaCore slow) : fast_(std::move(fast)), slow_(std::move(slow)) {}

    SmaCore fast_;
    SmaCore slow_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, VolumeOscillator);

}  // namespace torvex
