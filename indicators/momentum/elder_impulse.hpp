// Elder impulse as a number: +1 when both the trend average and the MACD histogram
// rise, -1 when both fall, 0 otherwise.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/macd_core.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class ElderImpulse final : public CloseIndicator<ElderImpulse> {
public:
    // e: trend average length; fast, slow, signal: the MACD lengths.
    static std::expected<ElderImpulse, IndicatorError> create(std::uint64_t e, std::uint64_t fast,
                                                              std::uint64_t slow, std::uint64_t signal);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override;

private:
    ElderImpulse(SeededEma ema, MacdCore macd) : macd_(macd), ema_(ema) {}

    MacdCore macd_;
    SeededEma ema_;
    std::optional<double> prev_ema_;
    std::optional<double> prev_histogram_;
};

}  // namespace torvex
