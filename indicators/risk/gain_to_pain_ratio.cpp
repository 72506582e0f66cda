#include "indicators/risk/gain_to_pain_ratio.hpp"

namespace torvex {

std::expected<GainToPainRatio, IndicatorError> GainToPainRatio::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return GainToPainRatio(n);
}

}  // namespace torvex
