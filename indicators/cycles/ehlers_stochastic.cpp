#include "indicators/cycles/ehlers_stochastic.hpp"

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, EhlersStochastic);

std::expected<EhlersStochastic, IndicatorError> EhlersStochastic::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return EhlersStochastic(n);
}

std::optional<double> EhlersStochastic::step(double close) {
    const std::optional<double> f = roofing_.step(close);
    if (!f) return std::nullopt;
    range_.push(*f);
    if (!range_.full()) return std::nullopt;
    const double s = window_normalise(range_.hi_lo(), *f);
    const double result = prev_stoch_ ? midpoint(*prev_stoch_, s) : s;
    prev_stoch_ = s;
    return result;
}

}  // namespace torvex
