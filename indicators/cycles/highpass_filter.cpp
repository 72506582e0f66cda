#include "indicators/cycles/highpass_filter.hpp"

namespace torvex {

std::expected<HighpassFilter, IndicatorError> HighpassFilter::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return HighpassFilter(n);
}

}  // namespace torvex
