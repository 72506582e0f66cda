#include "indicators/levels/fibonacci_pivots.hpp"

namespace torvex {

std::expected<FibonacciPivots, IndicatorError> FibonacciPivots::create() { return FibonacciPivots{}; }

}  // namespace torvex
