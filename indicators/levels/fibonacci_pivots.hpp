// Fibonacci pivots of the bar just given: levels at 0.382, 0.618 and 1 of the range
// around the classic pivot.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class FibonacciPivots final : public MultiOutput<FibonacciPivots, 7> {
public:
    static constexpr std::array<std::string_view, 7> kOutputNames{"pp", "r1", "r2", "r3", "s1", "s2", "s3"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<FibonacciPivots, IndicatorError> create();

    std::optional<std::array<double, 7>> step(const BarContext& ctx) {
        const double h = ctx.candle.high, l = ctx.candle.low, c = ctx.candle.close;
        const double pp = (c + (l + h)) / 3.0;
        const double r = h - l;
        return std::array<double, 7>{pp,            0.382 * r + pp, 0.618 * r + pp, r + pp,
                                     pp - 0.382 * r, pp - 0.618 * r, pp - r};
    }
    std::uint64_t warmup() const override { return 1; }
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, FibonacciPivots, 7);

}  // namespace torvex
