#include "indicators/cycles/ht_phasor.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, HtPhasor, 2);

std::expected<HtPhasor, IndicatorError> HtPhasor::create() { return HtPhasor(); }

}  // namespace torvex
