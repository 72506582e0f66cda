// STARC bands: k average true ranges (period n) around a simple average of the close
// (period m).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/atr_envelope.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class StarcBands final : public MultiOutput<StarcBands, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // In order: k not finite or not above 0: NonPositiveMultiplier; m = 0:
    // ZeroPeriod, m above MAX_PERIOD: InvalidPeriod; the same two for n.
    static std::expected<StarcBands, IndicatorError> create(std::uint64_t m, std::uint64_t n, double k);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) { return channel_.step(ctx.candle); }
    std::uint64_t warmup() const override { return channel_.warmup(); }

private:
    explicit StarcBands(AtrEnvelope<SmaCore> channel) : channel_(std::move(channel)) {}

    AtrEnvelope<SmaCore> channel_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, StarcBands, 3);

}  // namespace torvex
