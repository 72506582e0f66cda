// The consecutive-close count that the DeMark setups share: each close below the
// reference close adds to the buy run, each close above adds to the sell run, an equal
// close ends both. Runs stop at their cap and never wrap.
#pragma once

#include <cstdint>

namespace torvex {

struct SetupCount {
    std::uint64_t buy = 0;
    std::uint64_t sell = 0;

    void step(double close, double reference, std::uint64_t cap) {
        if (close < reference) {
            if (buy < cap) ++buy;
            sell = 0;
        } else if (close > reference) {
            if (sell < cap) ++sell;
            buy = 0;
        } else {
            buy = 0;
            sell = 0;
        }
    }
};

}  // namespace torvex
