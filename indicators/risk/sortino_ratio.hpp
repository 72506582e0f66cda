// Mean excess return over the downside deviation below a target.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class SortinoRatio final : public CloseIndicator<SortinoRatio> {
public:
    // n below 2: InvalidPeriod "sortino ratio needs period >= 2"; then M. The
    // target is kept as given.
    static std::expected<SortinoRatio, IndicatorError> create(std::uint64_t n, double target);

    // (mean − target) / √(Σ min(v − target, 0)² / n); 0.0 with nothing below target.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    SortinoRatio(std::uint64_t n, double target) : window_(n), target_(target) {}

    ReturnWindow window_;  // running sum re-added every n updates
    double target_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, SortinoRatio);

}  // namespace torvex
