// DeMark moving averages: two simple averages (ST1 shorter, ST2 longer) of the bar's
// median price.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class TdMovingAverage final : public MultiOutput<TdMovingAverage, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"st1", "st2"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Either 0: ZeroPeriod; ST1 not below ST2: "TD moving average ST1 period must be
    // strictly less than ST2"; either above MAX_PERIOD: the maximum text.
    static std::expected<TdMovingAverage, IndicatorError> create(std::uint64_t st1_period,
                                                                 std::uint64_t st2_period);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const double median = midpoint(ctx.candle.low, ctx.candle.high);
        // Both averages always step.
        const std::optional<double> a = st1_.step(median);
        const std::optional<double> b = st2_.step(median);
        if (!a || !b) return std::nullopt;
        return std::array<double, 2>{*a, *b};
    }
    std::uint64_t warmup() const override { return st2_.period(); }

private:
    TdMovingAverage(SmaCore st1, SmaCore st2) : st1_(std::move(st1)), st2_(std::move(st2)) {}

    SmaCore st1_;
    SmaCore st2_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, TdMovingAverage, 2);

}  // namespace torvex
