// The fixed-capacity ring of doubles under the name the rolling risk measures know it by.
#pragma once

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

using ValueRing = FixedRing<double>;

}  // namespace torvex
