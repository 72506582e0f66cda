#include "indicators/cores/bollinger_core.hpp"

#include "indicators/bar.hpp"

namespace torvex {

std::expected<BollingerCore, IndicatorError> BollingerCore::create(std::uint64_t n, double k) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return BollingerCore(std::move(*window), k);
}

}  // namespace torvex
