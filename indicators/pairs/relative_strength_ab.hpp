// Relative strength of the close against the reference: the ratio close / reference,
// its simple average over `ma_period` bars and its Wilder RSI over `rsi_period`.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/rsi_core.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class RelativeStrengthAB final : public MultiOutput<RelativeStrengthAB, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"ratio", "ratio_ma", "ratio_rsi"};
    static constexpr InputGate kGate = InputGate::None;

    static std::expected<RelativeStrengthAB, IndicatorError> create(std::uint64_t ma_period, std::uint64_t rsi_period);

    std::optional<std::array<double, 3>> step(const BarContext& ctx);
    std::uint64_t warmup() const override;

private:
    RelativeStrengthAB(SmaCore sma, RsiCore rsi) : sma_(std::move(sma)), rsi_(std::move(rsi)) {}

    SmaCore sma_;
    RsiCore rsi_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, RelativeStrengthAB, 3);

}  // namespace torvex
