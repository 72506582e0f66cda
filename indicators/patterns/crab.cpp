#include "indicators/patterns/crab.hpp"

#include <cmath>

namespace torvex {

std::expected<Crab, IndicatorError> Crab::create() { return Crab{}; }

double Crab::judge(std::span<const Pivot> p) {
    return harmonic_sign(p, {{0.382, 0.618}, {0.382, 0.886}, {2.24, 3.618}, {1.55, 1.65}});
}

}  // namespace torvex
