// Polarized fractal efficiency: how straight the recent price path is (the direct
// distance against the summed segment lengths), signed by its direction and smoothed.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/lag_window.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class PolarizedFractalEfficiency final : public CloseIndicator<PolarizedFractalEfficiency> {
public:
    static std::expected<PolarizedFractalEfficiency, IndicatorError> create(std::uint64_t n, std::uint64_t smoothing);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return prices_.period() + smoother_.period(); }

private:
    PolarizedFractalEfficiency(LagWindow prices, SeededEma smoother)
        : prices_(std::move(prices)), segments_(prices_.period()), clock_(prices_.period()), smoother_(std::move(smoother)) {}

    std::optional<double> prev_;
    LagWindow prices_;             // the close n bars back
    FixedRing<double> segments_;  // the last n segment lengths
    double path_ = 0.0;            // their running sum
    // The path is re-added every n segments and as a huge segment leaves: it must not
    // leave the sum absorbed (and the division unguarded) after it has gone.
    ResumClock clock_;
    SeededEma smoother_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, PolarizedFractalEfficiency);

}  // namespace torvex
