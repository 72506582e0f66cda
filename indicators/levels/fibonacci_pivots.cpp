#include "indicators/levels/fibonacci_pivots.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, FibonacciPivots, 7);

std::expected<FibonacciPivots, IndicatorError> FibonacciPivots::create() { return FibonacciPivots{}; }

}  // namespace torvex
