// Projection bands: the last n highs and lows carried forward along their own
// least-squares slopes; the highest projected high and the lowest projected low.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/projection_bands_core.hpp"

namespace torvex {

class ProjectionBands final : public MultiOutput<ProjectionBands, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n below 2: InvalidPeriod "projection bands need period >= 2"; M(n).
    static std::expected<ProjectionBands, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const std::optional<ProjectionPoint> p = core_.step(ctx.candle.high, ctx.candle.low);
        if (!p) return std::nullopt;
        return std::array<double, 3>{p->upper, p->middle, p->lower};
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit ProjectionBands(ProjectionBandsCore core) : core_(std::move(core)) {}
    ProjectionBandsCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ProjectionBands, 3);

}  // namespace torvex
