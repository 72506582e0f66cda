#include "indicators/pairs/pairwise_beta.hpp"

#include <cmath>

#include "indicators/cores/log_return_step.hpp"

namespace torvex {

std::expected<PairwiseBeta, IndicatorError> PairwiseBeta::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("pairwise beta needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return PairwiseBeta(period);
}

std::optional<double> PairwiseBeta::step(double a, double b) {
    const std::optional<PairInput> prev = previous_;
    previous_ = PairInput{a, b};
    if (!prev) return std::nullopt;
    if (!window_.push(log_ratio(a, prev->a), log_ratio(b, prev->b))) return std::nullopt;
    const PairMoments m = window_.moments();
    return slope_a_on_b(m);
}

}  // namespace torvex
