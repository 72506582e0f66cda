// The fixed-capacity ring under the name some windows know it by.
#pragma once

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

template <class T>
using CappedRing = FixedRing<T>;

}  // namespace torvex
