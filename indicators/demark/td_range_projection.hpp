// DeMark range projection: the next bar's expected high and low from the current bar
// alone, weighting the extreme in the direction the bar closed.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class TdRangeProjection final : public MultiOutput<TdRangeProjection, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"high", "low"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<TdRangeProjection, IndicatorError> create() { return TdRangeProjection(); }

    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return 1; }

private:
    TdRangeProjection() = default;
};

}  // namespace torvex
