#include "indicators/averages/smoothed_heikin_ashi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, SmoothedHeikinAshi, 4);

std::expected<SmoothedHeikinAshi, IndicatorError> SmoothedHeikinAshi::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return SmoothedHeikinAshi(period);
}

}  // namespace torvex
