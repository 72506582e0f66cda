#include "indicators/cycles/laguerre_rsi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, LaguerreRsi);

std::expected<LaguerreRsi, IndicatorError> LaguerreRsi::create(double gamma) {
    if (!(std::isfinite(gamma) && gamma >= 0.0 && gamma <= 1.0)) {
        return std::unexpected(IndicatorError::invalid_period("LaguerreRSI gamma must be a finite value in [0, 1]"));
    }
    return LaguerreRsi(gamma);
}

LaguerreRsi::Repeated LaguerreRsi::repeated_close(Repeated s, double g, double one_minus_g, double close) {
    double* l = s.stages;
    Run& r = s.run;
    // Stages as this run left them: the run goes on. Otherwise a run starts here, and
    // a stage less the close is exact wherever the two lie within a factor of two of
    // each other (elsewhere it is rounded as the stage itself was).
    if (!(close == r.close && l[0] == r.left[0] && l[1] == r.left[1] && l[2] == r.left[2] && l[3] == r.left[3]))
        r = Run{close, {}, l[0] - close, l[1] - close, l[2] - close, l[3] - close, DecayScale(), false};
    // Relative to the close, the update is the one towards a close of 0; a power of two
    // on every distance changes none of their quotients.
    advance(r.d0, r.d1, r.d2, r.d3, g, one_minus_g, 0.0);
    const double largest = std::max({std::fabs(r.d0), std::fabs(r.d1), std::fabs(r.d2), std::fabs(r.d3)});
    if (r.scale.active() || largest < DecayScale::kLow) [[unlikely]] r.scale.settle({&r.d0, &r.d1, &r.d2, &r.d3});
    const double exact = answer(r.d0, r.d1, r.d2, r.d3);
    if (!r.from_distances) {
        advance(l[0], l[1], l[2], l[3], g, one_minus_g, close);
        s.answer = answer(l[0], l[1], l[2], l[3]);
        // A billionth of a point: the stages' own rounding on ordinary bars.
        r.from_distances = std::fabs(s.answer - exact) > 1e-9;
    }
    if (r.from_distances) {
        l[0] = close + r.scale.own(r.d0);
        l[1] = close + r.scale.own(r.d1);
        l[2] = close + r.scale.own(r.d2);
        l[3] = close + r.scale.own(r.d3);
        s.answer = exact;
    }
    std::copy(l, l + 4, r.left);
    return s;
}

}  // namespace torvex
