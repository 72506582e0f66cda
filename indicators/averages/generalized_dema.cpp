#include "indicators/averages/generalized_dema.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, GeneralizedDema);

std::expected<GeneralizedDema, IndicatorError> GeneralizedDema::create(std::uint64_t n, double v) {
    auto chain = EmaChain<2>::create(n);
    if (!chain) return std::unexpected(chain.error());
    if (!(v >= 0.0 && v <= 1.0))
        return std::unexpected(IndicatorError::invalid_period("GD volume factor must be a finite value in [0.0, 1.0]"));
    return GeneralizedDema(std::move(*chain), v);
}

}  // namespace torvex
