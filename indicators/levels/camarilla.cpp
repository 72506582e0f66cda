#include "indicators/levels/camarilla.hpp"

namespace torvex {

std::expected<Camarilla, IndicatorError> Camarilla::create() { return Camarilla{}; }

}  // namespace torvex
