// Hilbert phasor: the in-phase and quadrature components of the detrended close,
// from the homodyne estimator that also tracks the dominant cycle tuning its filters.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/hilbert_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class HtPhasor final : public MultiOutput<HtPhasor, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"inphase", "quadrature"};
    static constexpr InputGate kGate = InputGate::None;

    // No parameters; cannot fail.
    static std::expected<HtPhasor, IndicatorError> create();

    // A non-finite close answers nothing and changes nothing; values from the 22nd
    // accepted close on.
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const double close = ctx.candle.close;
        if (!is_finite(close)) return std::nullopt;
        const HomodyneStep st = estimator_.advance(close);
        if (!st.period_updated) return std::nullopt;
        return std::array<double, 2>{st.in_phase, st.quadrature};
    }
    std::uint64_t warmup() const override { return 22; }

private:
    HtPhasor() = default;

    HomodyneEstimator estimator_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, HtPhasor, 2);

}  // namespace torvex
