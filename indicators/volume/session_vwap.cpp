#include "indicators/volume/session_vwap.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, SessionVwap);

std::expected<SessionVwap, IndicatorError> SessionVwap::create(std::int32_t offset_minutes) {
    return SessionVwap(offset_minutes);
}

}  // namespace torvex
