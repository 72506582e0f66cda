#include "indicators/trend/vertical_horizontal_filter.hpp"

namespace torvex {

std::expected<VerticalHorizontalFilter, IndicatorError> VerticalHorizontalFilter::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VerticalHorizontalFilter(n);
}

}  // namespace torvex
