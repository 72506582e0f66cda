// MACD over zero-lag exponential averages: each line averages 2·x − x[lag], which
// removes most of the average's delay.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/averages/zlema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ZeroLagMacd final : public MultiOutput<ZeroLagMacd, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"macd", "signal", "histogram"};
    static constexpr InputGate kGate = InputGate::None;

    // Zero tests on all three, fast < slow, then each against MAX_PERIOD.
    static std::expected<ZeroLagMacd, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                             std::uint64_t signal);

    // A non-finite close answers nothing and moves no average.
    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const double close = ctx.candle.close;
        if (!is_finite(close)) return std::nullopt;
        const std::optional<double> fast = fast_.step(close);
        const std::optional<double> slow = slow_.step(close);
        if (!fast || !slow) return std::nullopt;
        const double macd = *fast - *slow;
        const std::optional<double> signal = signal_.step(macd);
        if (!signal) return std::nullopt;
        return std::array<double, 3>{macd, *signal, macd - *signal};
    }
    // The slow line's first value, then the signal's own lag and seed.
    std::uint64_t warmup() const override { return slow_.warmup() + signal_.warmup() - 1; }

private:
    ZeroLagMacd(ZlemaCore fast, ZlemaCore slow, ZlemaCore signal)
        : fast_(std::move(fast)), slow_(std::move(slow)), signal_(std::move(signal)) {}

    ZlemaCore fast_;
    ZlemaCore slow_;
    ZlemaCore signal_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ZeroLagMacd, 3);

}  // namespace torvex
