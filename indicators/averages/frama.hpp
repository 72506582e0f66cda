// Fractal adaptive moving average: the smoothing factor follows the fractal
// dimension of the window, estimated from the ranges of its two halves.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Frama final : public CloseIndicator<Frama> {
public:
    // n must be even and at least 2 so that both halves hold n / 2 closes.
    static std::expected<Frama, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    // Accepted closes are finite.
    explicit Frama(std::uint64_t n)
        : recent_(n / 2),
          all_(n, ExtremeInputs::NeverNaN),
          newer_(n / 2, ExtremeInputs::NeverNaN),
          older_(n / 2, ExtremeInputs::NeverNaN),
          period_(n),
          half_(n / 2) {}

    std::optional<double> last_;
    // The ranges of the window and of its halves slide with it: the newer half takes
    // each close, the older half each close that leaves the newer one.
    FixedRing<double> recent_;  // the newer half's closes
    SlidingExtremes all_;
    SlidingExtremes newer_;
    SlidingExtremes older_;
    std::uint64_t period_;
    std::uint64_t half_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Frama);

}  // namespace torvex
