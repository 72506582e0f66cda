// ATR bands: k average true ranges above and below the bar's own close.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AtrBands final : public MultiOutput<AtrBands, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // k not finite or not above 0: NonPositiveMultiplier; then n = 0: ZeroPeriod,
    // n above MAX_PERIOD: InvalidPeriod.
    static std::expected<AtrBands, IndicatorError> create(std::uint64_t n, double k);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const std::optional<double> atr = atr_.step(ctx.candle);
        if (!atr) return std::nullopt;
        const double c = ctx.candle.close;
        const double offset = *atr * multiplier_;
        return std::array<double, 3>{c + offset, c, c - offset};
    }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    AtrBands(WilderAtr atr, double k) : atr_(atr), multiplier_(k) {}

    WilderAtr atr_;
    double multiplier_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, AtrBands, 3);

}  // namespace torvex
