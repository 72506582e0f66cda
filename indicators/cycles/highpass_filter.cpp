#include "indicators/cycles/highpass_filter.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, HighpassFilter);

std::expected<HighpassFilter, IndicatorError> HighpassFilter::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!TwoPoleHighpassCore::stable(n)) {
        return std::unexpected(IndicatorError::invalid_period("highpass filter needs period >= 2"));
    }
    return HighpassFilter(n);
}

}  // namespace torvex
