#include "indicators/levels/auto_fib.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<AutoFib, IndicatorError> AutoFib::create() { return AutoFib{}; }

std::array<double, 7> AutoFib::levels(std::span<const Pivot> p, std::uint64_t) {
    std::size_t best = 0;
    double widest = std::fabs(p[0].price - p[1].price);
    for (std::size_t i = 1; i + 1 < p.size(); ++i) {
        const double d = std::fabs(p[i].price - p[i + 1].price);
        if (d >= widest) {
            widest = d;
            best = i;
        }
    }
    return FibRetracement::retracement(p[best].price, p[best + 1].price);
}

}  // namespace torvex
