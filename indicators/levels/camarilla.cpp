#include "indicators/levels/camarilla.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Camarilla, 9);

std::expected<Camarilla, IndicatorError> Camarilla::create() { return Camarilla{}; }

}  // namespace torvex
