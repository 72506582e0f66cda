#include "indicators/cycles/ht_phasor.hpp"

namespace torvex {

std::expected<HtPhasor, IndicatorError> HtPhasor::create() { return HtPhasor(); }

}  // namespace torvex
