#include "indicators/patterns/butterfly.hpp"

#include <cmath>

namespace torvex {

std::expected<Butterfly, IndicatorError> Butterfly::create() { return Butterfly{}; }

double Butterfly::judge(std::span<const Pivot> p) {
    return harmonic_sign(p, {{0.74, 0.84}, {0.382, 0.886}, {1.618, 2.618}, {1.27, 1.618}});
}

}  // namespace torvex
