// Ehlers' WavePM: the smoothed probability, in percent, that the n-bar change of the
// close is large against its recent variance.
#pragma once

#include <cmath>
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

    std::optional<double> step(double close) {
        window_.push(close);
        if (!window_.full()) return std::nullopt;
        const double d = close - window_.oldest();
        const double sq = d * d;
        if (!std::isfinite(sq)) return std::nullopt;
        const std::optional<double> v = variance_.step(sq);
        if (!v) return std::nullopt;
        const double p = *v > 0.0 ? 1.0 - std::exp((-sq) / (*v + *v)) : 0.0;
        if (!std::isfinite(p)) return std::nullopt;
        const std::optional<double> w = probability_.step(p);
        if (!w) return std::nullopt;
        return *w * 100.0;
    }
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

}  // namespace torvex
