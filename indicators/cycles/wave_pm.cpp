#include "indicators/cycles/wave_pm.hpp"

#include <cmath>


namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, WavePm);

std::expected<WavePm, IndicatorError> WavePm::create(std::uint64_t n, std::uint64_t m) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_period(m); !ok) return std::unexpected(ok.error());
    return WavePm(n, m);
}

std::optional<double> WavePm::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const double d = close - window_.oldest();
    const double sq = d * d;
    if (!std::isfinite(sq)) return std::nullopt;
    const std::optional<double> v = variance_.step(sq);
    if (!v) return std::nullopt;
    const double p = *v > 0.0 ? 1.0 - std::exp((-sq) / (*v + *v)) : 0.0;
    if (!std::isfinite(p)) return std::nullopt;
    const std::optional<double> w = probability_.step(p);
    if (!w) return std::nullopt;
    return *w * 100.0;
}

}  // namespace torvex
