// Chande Kroll stop: first stops x ATRs inside the p-bar highest high and lowest low,
// then the most conservative of the last q of them: the lowest first low stop as the
// long stop and the highest first high stop as the short stop.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ChandeKrollStop final : public MultiOutput<ChandeKrollStop, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"stop_long", "stop_short"};
    static constexpr InputGate kGate = InputGate::Candle;

    // In order: x not finite or not above 0: NonPositiveMultiplier; q = 0:
    // ZeroPeriod, q above MAX_PERIOD: InvalidPeriod; the same two for p.
    static std::expected<ChandeKrollStop, IndicatorError> create(std::uint64_t p, double x, std::uint64_t q);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const std::optional<double> atr = atr_.step(ctx.candle);
        range_.push(ctx.candle.high, ctx.candle.low);
        if (!atr || !range_.full()) return std::nullopt;
        const double d = *atr * multiplier_;
        // The high stops feed the maximum queue, the low stops the minimum queue.
        first_stops_.push(range_.highest() - d, range_.lowest() + d);
        if (!first_stops_.full()) return std::nullopt;
        return std::array<double, 2>{first_stops_.lowest(), first_stops_.highest()};
    }
    std::uint64_t warmup() const override { return range_.period() + first_stops_.period() - 1; }

private:
    ChandeKrollStop(WilderAtr atr, double x, std::uint64_t q)
        : atr_(atr), range_(atr.period()), first_stops_(q), multiplier_(x) {}

    WilderAtr atr_;
    SlidingExtremes range_;        // p highs and lows
    SlidingExtremes first_stops_;  // q first high stops and first low stops
    double multiplier_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ChandeKrollStop, 2);

}  // namespace torvex
