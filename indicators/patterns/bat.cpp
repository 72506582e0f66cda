#include "indicators/patterns/bat.hpp"

#include <cmath>

namespace torvex {

std::expected<Bat, IndicatorError> Bat::create() { return Bat{}; }

double Bat::judge(std::span<const Pivot> p) {
    return harmonic_sign(p, {{0.382, 0.5}, {0.382, 0.886}, {1.618, 2.618}, {0.84, 0.93}});
}

}  // namespace torvex
