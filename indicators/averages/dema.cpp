#include "indicators/averages/dema.hpp"

namespace torvex {

std::expected<Dema, IndicatorError> Dema::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Dema(n);
}

std::optional<double> Dema::step(double close) {
    const std::optional<double> e1 = first_.step(close);
    // An overflowed first average must not poison the second for good.
    if (!e1 || !is_finite(*e1)) return std::nullopt;
    const std::optional<double> e2 = second_.step(*e1);
    if (!e2) return std::nullopt;
    return (*e1 + *e1) - *e2;
}

}  // namespace torvex
