#include "indicators/cores/pair_moments.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

double bounded_correlation(const PairMoments& m) {
    const double prod = m.var_a * m.var_b;
    if (prod == 0.0) return 0.0;
    return std::clamp(m.cov / std::sqrt(prod), -1.0, 1.0);
}

}  // namespace torvex
