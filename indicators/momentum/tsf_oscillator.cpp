#include "indicators/momentum/tsf_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, TsfOscillator);

std::expected<TsfOscillator, IndicatorError> TsfOscillator::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("TSF oscillator needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    auto forecast = TsfCore::create(n);
    if (!forecast) return std::unexpected(forecast.error());
    return TsfOscillator(std::move(*forecast));
}

std::optional<double> TsfOscillator::step(double x) {
    const std::optional<double> f = forecast_.step(x);
    if (!f) return std::nullopt;
    if (x == 0.0) return last_;
    const double v = ((x - *f) * 100.0) / x;
    last_ = v;
    return v;
}

}  // namespace torvex
