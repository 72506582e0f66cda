// A look-back length from the dominant cycle of the close: half the smoothed period,
// rounded, within 3 to 25 bars.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/hilbert_core.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class AdaptiveCycle final : public CloseIndicator<AdaptiveCycle> {
public:
    static std::expected<AdaptiveCycle, IndicatorError> create() { return AdaptiveCycle(); }

    std::optional<double> step(double close) {
        const std::optional<double> period = core_.step(close);
        if (!period) return std::nullopt;
        return length_of(*period);
    }
    std::uint64_t warmup() const override { return 50; }

    // min(25, max(3, round(0.5·period))), halves away from zero.
    static double length_of(double period) {
        const double r = round_half_away(0.5 * period);
        if (r < 3.0) return 3.0;
        if (r > 25.0) return 25.0;
        return r;
    }

private:
    AdaptiveCycle() = default;

    HilbertDominantCycleCore core_;
};

}  // namespace torvex
