// Acceleration bands: simple averages of the high and the low widened by the bar's
// relative range, around the simple average of the close.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class AccelerationBands final : public MultiOutput<AccelerationBands, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // K(factor), Z(n), M(n).
    static std::expected<AccelerationBands, IndicatorError> create(std::uint64_t n, double factor);

    std::optional<std::array<double, 3>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return close_.period(); }

private:
    AccelerationBands(SmaCore high, SmaCore close, SmaCore low, double factor)
        : high_(std::move(high)), close_(std::move(close)), low_(std::move(low)), factor_(factor) {}

    SmaCore high_;   // widened highs
    SmaCore close_;  // closes
    SmaCore low_;    // narrowed lows
    double factor_;
};

}  // namespace torvex
