// Accumulation/distribution oscillator: the Williams accumulation/distribution line
// less its 13-bar simple mean.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AdOscillator final : public CandleIndicator<AdOscillator> {
public:
    static constexpr std::uint64_t kAveragePeriod = 13;

    // Always builds.
    static std::expected<AdOscillator, IndicatorError> create();

    // Nothing on the first bar and until the mean has 13 values (the 14th bar).
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return kAveragePeriod + 1; }

private:
    explicit AdOscillator(SmaCore average) : average_(std::move(average)) {}

    std::optional<double> prev_close_;
    CompensatedSum line_;  // a cumulative line: compensated so long runs do not drift
    SmaCore average_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AdOscillator);

}  // namespace torvex
