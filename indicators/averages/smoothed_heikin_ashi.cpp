#include "indicators/averages/smoothed_heikin_ashi.hpp"

namespace torvex {

std::expected<SmoothedHeikinAshi, IndicatorError> SmoothedHeikinAshi::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return SmoothedHeikinAshi(period);
}

}  // namespace torvex
