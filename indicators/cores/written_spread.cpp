#include "indicators/cores/written_spread.hpp"

#include "indicators/cores/exact_gram.hpp"

namespace torvex {

bool decimals_resolve(double a, double b, double rounding) {
    if (!std::isfinite(a) || !std::isfinite(b) || !(rounding > 0.0) || !std::isfinite(rounding)) return false;
    ColumnGrid grid;
    grid.add(a);
    grid.add(b);
    double unit = 0.0;
    if (grid.decimals > 0) {
        // a / (a's integer on the grid) is the unit to a rounding, which is all the
        // comparison below needs.
        const double x = grid.integer(a) != 0 ? a : b;
        const auto k = grid.integer(x);
        if (k == 0) return false;
        unit = std::fabs(x / static_cast<double>(k));
    } else {
        if (grid.binary.bits() == 0) return false;
        unit = std::ldexp(1.0, grid.binary.low);
    }
    return unit > 64.0 * rounding;
}

}  // namespace torvex
