#include "indicators/risk/pain_index.hpp"

namespace torvex {

std::expected<PainIndex, IndicatorError> PainIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return PainIndex(n);
}

double PainIndex::evaluate(const ValueRing& window) const {
    double sum = 0.0;
    for_each_drop_from_peak(window, [&](double dd) { sum = sum + dd; });
    return sum / static_cast<double>(period());
}

}  // namespace torvex
