#include "indicators/risk/sortino_ratio.hpp"

namespace torvex {

std::expected<SortinoRatio, IndicatorError> SortinoRatio::create(std::uint64_t n, double target) {
    if (auto ok = check_min_period(n, 2, "sortino ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    return SortinoRatio(n, target);
}

}  // namespace torvex
