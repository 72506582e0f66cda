#include "indicators/cycles/ehlers_stochastic.hpp"

#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, EhlersStochastic);

std::expected<EhlersStochastic, IndicatorError> EhlersStochastic::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return EhlersStochastic(n);
}

std::optional<double> EhlersStochastic::step(double close) {
    if (scale_.active()) [[unlikely]] return careful_step(close);
    const std::optional<double> f = roofing_.step(close);
    if (!f) return std::nullopt;
    range_.push(*f);
    if (!range_.full()) return std::nullopt;
    const HiLo r = range_.hi_lo();
    if (!(r.hi - r.lo >= DecayScale::kLow)) [[unlikely]] return careful_answer();
    return answer(window_normalise(r, *f));
}

void EhlersStochastic::settle() {
    SuperSmootherCore& s = roofing_.smoother();
    const HiLo r = range_.hi_lo();
    const double window = range_.size() == 0 ? 0.0 : std::fmax(std::fabs(r.hi), std::fabs(r.lo));
    const std::int64_t before = scale_.exponent();
    scale_.settle({&roofing_.held_highpass(), &s.held_input(), &s.held_out1(), &s.held_out2()}, window);
    if (scale_.exponent() != before) range_.scale_by(DecayScale::shift_of(scale_.exponent() - before));
}

std::optional<double> EhlersStochastic::careful_answer() {
    settle();
    return answer(window_normalise(range_.hi_lo(), roofing_.smoother().held_out1()));
}

std::optional<double> EhlersStochastic::careful_step(double close) {
    SuperSmootherCore& s = roofing_.smoother();
    const std::optional<double> f = roofing_.step_entering(close, [&](double& term) {
        const std::int64_t before = scale_.exponent();
        scale_.enter({&roofing_.held_highpass(), &s.held_input(), &s.held_out1(), &s.held_out2()}, {&term});
        if (scale_.exponent() != before) range_.scale_by(DecayScale::shift_of(scale_.exponent() - before));
    });
    if (!f) {
        settle();
        return std::nullopt;
    }
    range_.push(*f);
    if (!range_.full()) {
        settle();
        return std::nullopt;
    }
    return careful_answer();
}

}  // namespace torvex
