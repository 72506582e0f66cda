// Prices derived from one bar that several families read.
#pragma once

#include "indicators/bar.hpp"

namespace torvex {

// (high + low + close) / 3, added in that order.
inline double typical_price(const Ohlcv& b) { return ((b.high + b.low) + b.close) / 3.0; }

}  // namespace torvex
