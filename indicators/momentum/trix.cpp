#include "indicators/momentum/trix.hpp"

namespace torvex {

std::expected<Trix, IndicatorError> Trix::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Trix(n);
}

std::optional<double> Trix::step(double x) {
    const auto e1 = e1_.step(x);
    if (!e1 || !is_finite(*e1)) return std::nullopt;
    const auto e2 = e2_.step(*e1);
    if (!e2 || !is_finite(*e2)) return std::nullopt;
    const auto e3 = e3_.step(*e2);
    if (!e3) return std::nullopt;
    const std::optional<double> prev = prev_;
    prev_ = *e3;
    if (!prev) return std::nullopt;
    if (*prev == 0.0) return 0.0;
    return ((*e3 - *prev) * 100.0) / *prev;
}

}  // namespace torvex
