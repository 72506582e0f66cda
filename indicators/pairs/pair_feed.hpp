// The input rule of the indicators over two series: the close (series a) and the
// reference value of the bar (series b).
#pragma once

#include <cstdint>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

struct PairInput {
    double a;  // the close
    double b;  // the reference
};

// Which values a two-series type accepts beyond being present and finite.
enum class PairDomain : std::uint8_t {
    Finite,    // any finite pair
    Positive,  // both above 0 (the types that take logarithms)
    NonZeroB,  // the reference not 0 (the types that divide by it)
};

// The bar's pair, or nothing when the reference is absent or a value is refused.
inline std::optional<PairInput> pair_input(const BarContext& ctx, PairDomain domain) {
    if (!ctx.reference) return std::nullopt;
    const double a = ctx.candle.close;
    const double b = *ctx.reference;
    if (!is_finite(a) || !is_finite(b)) return std::nullopt;
    if (domain == PairDomain::Positive && !(a > 0.0 && b > 0.0)) return std::nullopt;
    if (domain == PairDomain::NonZeroB && b == 0.0) return std::nullopt;
    return PairInput{a, b};
}

// Base of the single-output two-series types: a refused bar answers nothing before
// any state changes; otherwise `Derived::step(a, b)` runs.
template <class Derived, PairDomain kDomain = PairDomain::Finite>
class PairIndicator : public DynIndicator {
public:
    std::optional<double> update(const BarContext& ctx) final {
        const std::optional<PairInput> p = pair_input(ctx, kDomain);
        if (!p) return std::nullopt;
        return static_cast<Derived*>(this)->step(p->a, p->b);
    }
};

// The change of a series from the previous accepted bar; the first bar only records.
class PairDifferencer {
public:
    std::optional<PairInput> step(double a, double b) {
        const std::optional<PairInput> prev = prev_;
        prev_ = PairInput{a, b};
        if (!prev) return std::nullopt;
        return PairInput{a - prev->a, b - prev->b};
    }

private:
    std::optional<PairInput> prev_;
};

}  // namespace torvex
