#include "indicators/flow/kyles_lambda.hpp"

namespace torvex {

std::expected<KylesLambda, IndicatorError> KylesLambda::create(std::uint64_t window) {
    if (window < 2) return std::unexpected(IndicatorError::invalid_period("kyle's lambda needs window >= 2"));
    if (auto ok = check_max_period(window); !ok) return std::unexpected(ok.error());
    return KylesLambda(window);
}

std::optional<double> KylesLambda::step(const BarContext& ctx) {
    const std::optional<double> mid = reference_mid(ctx);
    if (!mid) return std::nullopt;
    std::optional<double> result;
    for (const Trade& t : ctx.trades) {
        const std::optional<double> prev = previous_mid_;
        // Later trades of the same bar see no further mid change.
        previous_mid_ = *mid;
        result.reset();
        if (!prev) continue;
        if (!window_.push(signed_quantity(t), *mid - *prev)) continue;
        const PairMoments m = window_.moments();
        result = m.var_a == 0.0 ? 0.0 : m.cov / m.var_a;
    }
    return result;
}

}  // namespace torvex
