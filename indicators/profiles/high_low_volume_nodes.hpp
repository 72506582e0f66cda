// High and low volume nodes of a rolling volume profile: the centre of the bin with
// the most volume and of the first bin with the least volume above zero.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/profiles/profile_window.hpp"

namespace torvex {

class HighLowVolumeNodes final : public MultiOutput<HighLowVolumeNodes, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"hvn", "lvn"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero period or bins: ZeroPeriod; either above MAX_PERIOD: the maximum text.
    static std::expected<HighLowVolumeNodes, IndicatorError> create(std::uint64_t period, std::uint64_t bins);

    // Empty bins never count as the low node; without volume both nodes are the
    // point of control (bin 0).
    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    HighLowVolumeNodes(std::uint64_t period, std::uint64_t bins) : window_(period, bins) {}

    ProfileWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, HighLowVolumeNodes, 2);

}  // namespace torvex
