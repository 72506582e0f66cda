// Aroon: how recently, as a share of n in percent, the highest high (up) and the
// lowest low (down) of the last n + 1 bars occurred.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/aroon_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Aroon final : public MultiOutput<Aroon, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"up", "down"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Aroon, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const std::optional<AroonPair> p = window_.step(ctx.candle);
        if (!p) return std::nullopt;
        return std::array<double, 2>{p->up, p->down};
    }
    std::uint64_t warmup() const override { return window_.period() + 1; }

private:
    explicit Aroon(AroonWindow window) : window_(std::move(window)) {}

    AroonWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Aroon, 2);

}  // namespace torvex
