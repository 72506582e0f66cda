#include "indicators/momentum/tsi.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Tsi);

std::expected<Tsi, IndicatorError> Tsi::create(std::uint64_t r, std::uint64_t s) {
    // Both zero tests come before either bound test.
    if (r == 0 || s == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(r); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(s); !ok) return std::unexpected(ok.error());
    return Tsi(r, s);
}

std::optional<double> Tsi::step(double x) {
    if (!prev_) {
        prev_ = x;
        return std::nullopt;
    }
    const double m = x - *prev_;
    prev_ = x;
    if (!is_finite(m)) return std::nullopt;

    std::optional<double> num;
    const auto a = momentum1_.step(m);
    if (a && is_finite(*a)) {
        if (const auto b = momentum2_.step(*a)) num = *b;
    }
    // The magnitude chain steps whatever the momentum chain did on this bar.
    const auto c = magnitude1_.step(std::fabs(m));
    if (!c || !is_finite(*c)) return std::nullopt;
    const auto d = magnitude2_.step(*c);
    if (!d || !num) return std::nullopt;
    // A run of repeated closes decays both chains alike; below the normal range the
    // magnitude has lost its digits, and counts as 0.
    if (below_normal(*d)) return 0.0;
    return (*num * 100.0) / *d;
}

}  // namespace torvex
