#include "indicators/cycles/ehlers_stochastic.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, EhlersStochastic);

std::expected<EhlersStochastic, IndicatorError> EhlersStochastic::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return EhlersStochastic(n);
}

std::optional<double> EhlersStochastic::step(double close) {
    if (careful_) [[unlikely]] return careful_step(close);
    // A high-pass that is not finite stays so: careful_answer answers nothing.
    const double f = roofing_.smoother().step(roofing_.highpass(close));
    range_.push(f);
    if (!range_.full()) return std::nullopt;
    const HiLo r = range_.hi_lo();
    // A run of repeated closes decays the filter's states and the window; a market
    // pinned between bid and ask decays the smoothed values alone, far below the
    // high-pass, and the sum the smoother reads is then carried.
    if (!(std::max(std::fabs(roofing_.held_highpass()) * RoofingCore::kCancel, DecayScale::kLow) < r.hi - r.lo)) [[unlikely]]
        return careful_answer();
    return answer(window_normalise(r, f));
}

void EhlersStochastic::settle() {
    const HiLo r = range_.hi_lo();
    const double window = range_.size() == 0 ? 0.0 : std::fmax(std::fabs(r.hi), std::fabs(r.lo));
    const std::int64_t before = scale_.exponent();
    roofing_.with_held([&](auto*... held) { scale_.settle({held...}, window); });
    if (scale_.exponent() != before) range_.scale_by(DecayScale::shift_of(scale_.exponent() - before));
    careful_ = scale_.active() || roofing_.carrying();
}

void EhlersStochastic::stop_carrying() {
    const std::int64_t before = scale_.exponent();
    roofing_.with_held([&](auto*... held) { scale_.release({held...}); });
    if (before != 0) range_.scale_by(DecayScale::shift_of(-before));
    roofing_.stop_carrying();
}

std::optional<double> EhlersStochastic::careful_answer() {
    const double h = roofing_.held_highpass();
    if (!std::isfinite(h)) return std::nullopt;
    const HiLo r = range_.hi_lo();
    // Arms on the window's size rather than its range: a window of one value has no
    // range however large it is.
    if (!roofing_.carrying() && !scale_.active() && roofing_.smoother().ready() &&
        2.0 * std::fmax(std::fabs(r.hi), std::fabs(r.lo)) < std::fabs(h) * RoofingCore::kCancel)
        roofing_.arm();
    settle();
    return answer(window_normalise(range_.hi_lo(), roofing_.smoother().held_out1()));
}

std::optional<double> EhlersStochastic::careful_step(double close) {
    const bool carrying = roofing_.carrying();
    const std::optional<double> f = roofing_.step_held(close, [&](double& term, auto*... held) {
        const std::int64_t before = scale_.exponent();
        scale_.enter({held...}, {&term});
        if (scale_.exponent() != before) range_.scale_by(DecayScale::shift_of(scale_.exponent() - before));
    });
    if (f) range_.push(*f);
    // The plain sum keeps its digits again (or the high-pass is no longer finite).
    if (carrying && roofing_.sum_recovered(scale_.own(roofing_.held_sum()))) stop_carrying();
    if (!f || !range_.full()) {
        settle();
        return std::nullopt;
    }
    return careful_answer();
}

}  // namespace torvex
