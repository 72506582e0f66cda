// Ehlers' WavePM: the smoothed probability, in percent, that the n-bar change of the
// close is large against its recent variance.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/mirrored_window.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class WavePm final : public CloseIndicator<WavePm> {
public:
    // n: the change's span and the variance average's length; m: the smoothing length.
    static std::expected<WavePm, IndicatorError> create(std::uint64_t n, std::uint64_t m);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return smoothing_ + 2 * period_ - 1; }

private:
    WavePm(std::uint64_t n, std::uint64_t m)
        : window_(n + 1), variance_(n), probability_(m), period_(n), smoothing_(m) {}

    MirroredWindow window_;  // the last n + 1 closes
    SeededEma variance_;
    SeededEma probability_;
    std::uint64_t period_;
    std::uint64_t smoothing_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, WavePm);

}  // namespace torvex
