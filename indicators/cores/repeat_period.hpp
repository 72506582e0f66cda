// The shortest cycle in which a window's values repeat, compared exactly. A short
// cycle makes the lagged-value regressions of the pair models fit exactly, though the
// sums they fit leave a residual of roundings to divide by; the models decide such
// windows on their values instead.
#pragma once

#include <cstddef>

namespace torvex {

// The smallest q in 1 .. max_q (and below n) for which each of the n values at(0) ..
// at(n − 1) equals the one q before it, or 0 when there is none. Most windows are
// turned away by the first comparison of each q.
template <class At>
std::size_t smallest_period(std::size_t n, std::size_t max_q, const At& at) {
    for (std::size_t q = 1; q <= max_q && q < n; ++q) {
        std::size_t i = q;
        while (i < n && at(i) == at(i - q)) ++i;
        if (i == n) return q;
    }
    return 0;
}

}  // namespace torvex
