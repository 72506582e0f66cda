// Central pivot range of the bar just given: the pivot and the two central levels,
// the top one ("tc") never below the bottom one ("bc").
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class CentralPivotRange final : public MultiOutput<CentralPivotRange, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"pivot", "tc", "bc"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<CentralPivotRange, IndicatorError> create();

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const double h = ctx.candle.high, l = ctx.candle.low, c = ctx.candle.close;
        const double pivot = (c + (h + l)) / 3.0;
        const double m = midpoint(h, l);
        const double t = (pivot + pivot) - m;
        return std::array<double, 3>{pivot, t > m ? t : m, t < m ? t : m};
    }
    std::uint64_t warmup() const override { return 1; }
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, CentralPivotRange, 3);

}  // namespace torvex
