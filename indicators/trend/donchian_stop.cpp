#include "indicators/trend/donchian_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, DonchianStop, 2);

std::expected<DonchianStop, IndicatorError> DonchianStop::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return DonchianStop(n);
}

}  // namespace torvex
