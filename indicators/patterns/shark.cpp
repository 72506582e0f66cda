#include "indicators/patterns/shark.hpp"

#include <cmath>

namespace torvex {

std::expected<Shark, IndicatorError> Shark::create() { return Shark{}; }

double Shark::judge(std::span<const Pivot> p) {
    return harmonic_sign(p, {{1.13, 1.618}, {1.618, 2.24}, {0.382, 0.886}, {0.886, 1.13}});
}

}  // namespace torvex
