// Moving-average envelope: fixed percentage bands around the simple average of the
// close.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class MaEnvelope final : public MultiOutput<MaEnvelope, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::None;

    // K(fraction), Z(n), M(n).
    static std::expected<MaEnvelope, IndicatorError> create(std::uint64_t n, double fraction);

    // The average refuses a non-finite close itself.
    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const std::optional<double> m = average_.step(ctx.candle.close);
        if (!m) return std::nullopt;
        return std::array<double, 3>{*m * up_, *m, *m * down_};
    }
    std::uint64_t warmup() const override { return average_.period(); }

private:
    MaEnvelope(SmaCore average, double fraction)
        : average_(std::move(average)), up_(1.0 + fraction), down_(1.0 - fraction) {}

    SmaCore average_;
    double up_;    // 1 + fraction
    double down_;  // 1 - fraction
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, MaEnvelope, 3);

}  // namespace torvex
