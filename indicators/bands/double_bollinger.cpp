#include "indicators/bands/double_bollinger.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, DoubleBollinger, 5);

std::expected<DoubleBollinger, IndicatorError> DoubleBollinger::create(std::uint64_t n, double k_inner,
                                                                       double k_outer) {
    const auto positive = [](double k) { return is_finite(k) && k > 0.0; };
    if (!positive(k_inner) || !positive(k_outer)) {
        return std::unexpected(IndicatorError::non_positive_multiplier());
    }
    if (k_inner >= k_outer) {
        return std::unexpected(IndicatorError::invalid_period("double bollinger requires k_outer > k_inner"));
    }
    auto core = BollingerCore::create(n, k_outer);
    if (!core) return std::unexpected(core.error());
    return DoubleBollinger(k_inner, std::move(*core));
}

}  // namespace torvex
