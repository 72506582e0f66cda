#include "indicators/demark/td_de_marker.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, TdDeMarker);

std::expected<TdDeMarker, IndicatorError> TdDeMarker::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdDeMarker(n);
}

}  // namespace torvex
