#include "indicators/patterns/flag_pennant.hpp"

#include <cmath>

namespace torvex {

std::expected<FlagPennant, IndicatorError> FlagPennant::create() { return FlagPennant{}; }

double FlagPennant::judge(std::span<const Pivot> p) {
    const double pole = p[1].price - p[0].price;
    if (pole == 0.0 || std::isnan(pole)) return 0.0;
    const double flag = std::fabs(p[2].price - p[1].price);
    if (!(0.5 * std::fabs(pole) > flag)) return 0.0;
    return p[1].direction > 0.0 ? 1.0 : -1.0;
}

}  // namespace torvex
