#include "indicators/patterns/triple_top_bottom.hpp"

#include <cmath>

namespace torvex {

std::expected<TripleTopBottom, IndicatorError> TripleTopBottom::create() { return TripleTopBottom{}; }

double TripleTopBottom::judge(std::span<const Pivot> p) {
    const double a = p[0].price, b = p[2].price, c = p[4].price;
    return (near_within(a, b, 0.03) && near_within(b, c, 0.03)) ? completion_sign(p) : 0.0;
}

}  // namespace torvex
