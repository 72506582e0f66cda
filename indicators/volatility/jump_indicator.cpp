#include "indicators/volatility/jump_indicator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, JumpIndicator);

std::expected<JumpIndicator, IndicatorError> JumpIndicator::create(std::uint64_t n, double threshold) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("jump indicator needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (!is_finite(threshold) || !(threshold > 0.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("jump indicator threshold must be finite and positive"));
    }
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return JumpIndicator(std::move(*window), threshold);
}

}  // namespace torvex
