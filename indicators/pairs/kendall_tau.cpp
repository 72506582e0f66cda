#include "indicators/pairs/kendall_tau.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<KendallTau, IndicatorError> KendallTau::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("Kendall tau needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return KendallTau(period);
}

void KendallTau::count(const PairInput& p, std::int64_t sign, std::size_t from) {
    for (std::size_t j = from; j < window_.size(); ++j) {
        const PairInput& q = window_[j];
        if (p.a == q.a) {
            tied_a_ += sign;
            if (p.b == q.b) tied_b_ += sign;
        } else if (p.b == q.b) {
            tied_b_ += sign;
        } else if ((p.a - q.a > 0.0) == (p.b - q.b > 0.0)) {
            concordant_ += sign;
        } else {
            discordant_ += sign;
        }
    }
}

std::optional<double> KendallTau::step(double a, double b) {
    if (window_.full()) {
        const PairInput oldest = window_.front();
        window_.pop_front();
        count(oldest, -1, 0);
    }
    const PairInput p{a, b};
    count(p, 1, 0);
    window_.push(p);
    if (!window_.full()) return std::nullopt;
    // Counts and their products are formed in floating point: n(n-1)/2 squared
    // exceeds 64 bits for the longest windows.
    const double n = static_cast<double>(period_);
    const double pairs = n * (n - 1.0) / 2.0;
    const double den = (pairs - static_cast<double>(tied_b_)) * (pairs - static_cast<double>(tied_a_));
    if (den == 0.0) return 0.0;
    const double tau = (static_cast<double>(concordant_) - static_cast<double>(discordant_)) / std::sqrt(den);
    return std::clamp(tau, -1.0, 1.0);
}

}  // namespace torvex
