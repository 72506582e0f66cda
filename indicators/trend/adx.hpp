// Wilder's directional indicators +DI and −DI and the average directional index.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/adx_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Adx final : public MultiOutput<Adx, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"plus_di", "minus_di", "adx"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Adx, IndicatorError> create(std::uint64_t n);

    // The update answers +DI; the ADX is the field "adx".
    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const std::optional<AdxPoint> p = core_.step(ctx.candle);
        if (!p) return std::nullopt;
        return std::array<double, 3>{p->plus_di, p->minus_di, p->adx};
    }
    std::uint64_t warmup() const override { return 2 * core_.period(); }

private:
    explicit Adx(AdxCore core) : core_(std::move(core)) {}

    AdxCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Adx, 3);

}  // namespace torvex
