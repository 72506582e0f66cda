#include "indicators/pairs/pairwise_beta.hpp"

#include <cmath>
#include <limits>

namespace torvex {

std::expected<PairwiseBeta, IndicatorError> PairwiseBeta::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("pairwise beta needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return PairwiseBeta(period);
}

namespace {

// ln(x / y) for x, y above zero and finite. Where the quotient leaves the normal range
// (1e300 over a subnormal overflows) the difference of the logarithms gives it: the
// window takes finite returns only, and an infinite one left NaN sums behind.
double log_ratio(double x, double y) {
    const double r = x / y;
    if (r >= std::numeric_limits<double>::min() && r <= std::numeric_limits<double>::max()) [[likely]]
        return std::log(r);
    return std::log(x) - std::log(y);
}

}  // namespace

std::optional<double> PairwiseBeta::step(double a, double b) {
    const std::optional<PairInput> prev = previous_;
    previous_ = PairInput{a, b};
    if (!prev) return std::nullopt;
    if (!window_.push(log_ratio(a, prev->a), log_ratio(b, prev->b))) return std::nullopt;
    const PairMoments m = window_.moments();
    return slope_a_on_b(m);
}

}  // namespace torvex
