// Elder ray: the bar's high (bull power) and low (bear power) measured against an
// exponential average of the close.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ElderRay final : public MultiOutput<ElderRay, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"bull_power", "bear_power"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<ElderRay, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::optional<double> average = ema_.step(bar.close);
        if (!average) return std::nullopt;
        return std::array<double, 2>{bar.high - *average, bar.low - *average};
    }
    std::uint64_t warmup() const override { return ema_.period(); }

private:
    explicit ElderRay(SeededEma ema) : ema_(ema) {}

    SeededEma ema_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ElderRay, 2);

}  // namespace torvex
