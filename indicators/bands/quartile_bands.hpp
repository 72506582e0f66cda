// Quartile bands: the three quartiles of the last n closes.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class QuartileBands final : public MultiOutput<QuartileBands, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::None;

    // Z(n), M(n).
    static std::expected<QuartileBands, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const double close = ctx.candle.close;
        if (!is_finite(close)) return std::nullopt;
        window_.push(close);
        if (!window_.full()) return std::nullopt;
        return std::array<double, 3>{window_.quantile(0.75), window_.quantile(0.5), window_.quantile(0.25)};
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit QuartileBands(SortedWindow window) : window_(std::move(window)) {}
    SortedWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, QuartileBands, 3);

}  // namespace torvex
