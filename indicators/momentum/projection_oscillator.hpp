// Projection oscillator: where the close lies between the projection bands, 0 at
// the lower band and 100 at the upper one.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/projection_bands_core.hpp"

namespace torvex {

class ProjectionOscillator final : public CandleIndicator<ProjectionOscillator> {
public:
    // As the projection bands: n below 2 "projection bands need period >= 2", M(n).
    static std::expected<ProjectionOscillator, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<ProjectionPoint> bands = core_.step(bar.high, bar.low);
        if (!bands) return std::nullopt;
        const double range = bands->upper - bands->lower;
        if (range == 0.0) return 50.0;
        return (bar.close - bands->lower) * 100.0 / range;
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit ProjectionOscillator(ProjectionBandsCore core) : core_(std::move(core)) {}
    ProjectionBandsCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ProjectionOscillator);

}  // namespace torvex
