#include "indicators/patterns/cypher.hpp"

#include <cmath>

namespace torvex {

std::expected<Cypher, IndicatorError> Cypher::create() { return Cypher{}; }

double Cypher::judge(std::span<const Pivot> p) {
    const double x = p[0].price, a = p[1].price, b = p[2].price, c = p[3].price, d = p[4].price;
    const double xa = a - x, xc = c - x;
    const bool all = RatioWindow{0.382, 0.618}.holds(leg_ratio(b - a, xa)) &&
                     RatioWindow{1.272, 1.414}.holds(leg_ratio(xc, xa)) &&
                     RatioWindow{0.74, 0.83}.holds(leg_ratio(d - c, xc));
    return all ? completion_sign(p) : 0.0;
}

}  // namespace torvex
