#include "indicators/averages/zlema.hpp"

#include <cmath>

namespace torvex {

std::expected<ZlemaCore, IndicatorError> ZlemaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ZlemaCore(n);
}

std::optional<double> ZlemaCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    const double d = std::fma(x, 2.0, -window_.from_oldest(0));
    if (!is_finite(d)) return std::nullopt;
    return ema_.step(d);
}

std::expected<Zlema, IndicatorError> Zlema::create(std::uint64_t n) {
    auto core = ZlemaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Zlema(std::move(*core));
}

}  // namespace torvex
