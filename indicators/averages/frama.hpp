// Fractal adaptive moving average: the smoothing factor follows the fractal
// dimension of the window, estimated from the ranges of its two halves.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Frama final : public CloseIndicator<Frama> {
public:
    // n must be even and at least 2 so that both halves hold n / 2 closes.
    static std::expected<Frama, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit Frama(std::uint64_t n) : window_(n), period_(n), half_(n / 2) {}

    std::optional<double> last_;
    FixedRing<double> window_;
    std::uint64_t period_;
    std::uint64_t half_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Frama);

}  // namespace torvex
