// Autocorrelation of the last w closes at lag k: the lagged cross-products of the
// deviations from the window mean over their total sum of squares.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Autocorrelation final : public CloseIndicator<Autocorrelation> {
public:
    // lag 0: "autocorrelation lag must be >= 1"; period not above lag: "autocorrelation
    // needs period > lag"; period above MAX_PERIOD: refused.
    static std::expected<Autocorrelation, IndicatorError> create(std::uint64_t period, std::uint64_t lag);

    // 0.0 for a window without spread.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    Autocorrelation(std::uint64_t period, std::uint64_t lag) : window_(period), period_(period), lag_(lag) {}

    FixedRing<double, RingLayout::Mirrored> window_;  // read as one span on every bar
    std::uint64_t period_;
    std::uint64_t lag_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Autocorrelation);

}  // namespace torvex
