#include "indicators/momentum/tsi.hpp"

#include <cmath>

#include "indicators/cores/scaled_averages.hpp"

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
    if (scale_.active()) [[unlikely]] return step_scaled(m);

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
    if (*d < DecayScale::kLow) [[unlikely]] return scaled_answer();
    return (*num * 100.0) / *d;
}

// Every average is seeded once the group is scaled: the steps are the usual ones on
// the held values.
std::optional<double> Tsi::step_scaled(double m) {
    double magnitude = std::fabs(m);
    enter_averages(scale_, m, magnitude, momentum1_, momentum2_, magnitude1_, magnitude2_);
    momentum1_.smooth(m);
    const double a = momentum1_.value();
    const bool numerator = is_finite(a);
    if (numerator) momentum2_.smooth(a);
    magnitude1_.smooth(magnitude);
    const double c = magnitude1_.value();
    if (!is_finite(c)) return std::nullopt;
    magnitude2_.smooth(c);
    if (!numerator) return std::nullopt;
    return scaled_answer();
}

// The quotient of the held averages is that of the averages; 0 where the magnitude is
// 0 in exact arithmetic (the closes never moved).
double Tsi::scaled_answer() {
    settle_averages(scale_, momentum1_, momentum2_, magnitude1_, magnitude2_);
    const double d = magnitude2_.value();
    return d == 0.0 ? 0.0 : (momentum2_.value() * 100.0) / d;
}

}  // namespace torvex
