// The change of the awesome oscillator over `lag` bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/momentum/awesome_oscillator.hpp"

namespace torvex {

class AwesomeOscillatorHistogram final : public CandleIndicator<AwesomeOscillatorHistogram> {
public:
    // Any length 0: ZeroPeriod; fast >= slow: InvalidPeriod "AwesomeOscillatorHistogram
    // fast must be strictly less than slow"; the awesome checks; lag above
    // MAX_PERIOD: InvalidPeriod (its history is reserved up front).
    static std::expected<AwesomeOscillatorHistogram, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                                            std::uint64_t lag);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return awesome_.slow() + lag_; }

private:
    AwesomeOscillatorHistogram(AwesomeCore awesome, std::uint64_t lag)
        : history_(lag), awesome_(std::move(awesome)), lag_(lag) {}

    CappedRing<double> history_;  // the last `lag` awesome values
    AwesomeCore awesome_;
    std::uint64_t lag_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AwesomeOscillatorHistogram);

}  // namespace torvex
