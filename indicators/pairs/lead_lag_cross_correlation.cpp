#include "indicators/pairs/lead_lag_cross_correlation.hpp"

#include <cmath>

#include "indicators/cores/pair_moments.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, LeadLagCrossCorrelation, 1);

std::expected<LeadLagCrossCorrelation, IndicatorError> LeadLagCrossCorrelation::create(std::uint64_t window,
                                                                                       std::uint64_t max_lag) {
    if (window < 2)
        return std::unexpected(IndicatorError::invalid_period("lead-lag cross-correlation needs window >= 2"));
    if (auto ok = check_max_period(window); !ok) return std::unexpected(ok.error());
    if (max_lag == 0)
        return std::unexpected(IndicatorError::invalid_period("lead-lag cross-correlation needs max_lag >= 1"));
    // Both rings hold window + 2*max_lag values; with both bounded the sum cannot wrap.
    if (auto ok = check_max_period(max_lag); !ok) return std::unexpected(ok.error());
    return LeadLagCrossCorrelation(window, max_lag);
}

double LeadLagCrossCorrelation::correlation(std::size_t a, std::size_t b) const {
    return bounded_correlation(two_pass_moments(
        window_, [&](std::size_t i) { return closes_[a + i]; }, [&](std::size_t i) { return references_[b + i]; }));
}

std::optional<std::array<double, 1>> LeadLagCrossCorrelation::step(const BarContext& ctx) {
    const std::optional<PairInput> p = pair_input(ctx, PairDomain::Finite);
    if (!p) return std::nullopt;
    closes_.push(p->a);
    references_.push(p->b);
    if (!closes_.full()) return std::nullopt;
    const std::size_t m = max_lag_;
    double best = correlation(m, m);
    for (std::size_t k = 1; k <= m; ++k) {
        for (const double candidate : {correlation(m, m - k), correlation(m, m + k)})
            if (std::fabs(candidate) > std::fabs(best)) best = candidate;
    }
    return std::array<double, 1>{best};
}

}  // namespace torvex
