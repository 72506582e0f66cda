// Candle volume: the signed candle body and a width that grows with the bar's
// volume relative to the average volume of the last n bars.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/relative_volume.hpp"

namespace torvex {

class CandleVolume final : public MultiOutput<CandleVolume, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"body", "width"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z(n), M(n).
    static std::expected<CandleVolume, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::optional<double> width = volume_.step(bar.volume);
        if (!width) return std::nullopt;
        return std::array<double, 2>{bar.close - bar.open, *width};
    }
    std::uint64_t warmup() const override { return volume_.period(); }

private:
    explicit CandleVolume(RelativeVolume volume) : volume_(std::move(volume)) {}
    RelativeVolume volume_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, CandleVolume, 2);

}  // namespace torvex
