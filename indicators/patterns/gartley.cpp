#include "indicators/patterns/gartley.hpp"

#include <cmath>

namespace torvex {

std::expected<Gartley, IndicatorError> Gartley::create() { return Gartley{}; }

double Gartley::judge(std::span<const Pivot> p) {
    return harmonic_sign(p, {{0.55, 0.7}, {0.382, 0.886}, {1.13, 1.618}, {0.74, 0.84}});
}

}  // namespace torvex
