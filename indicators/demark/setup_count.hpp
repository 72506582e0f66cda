// The consecutive-close count that the DeMark setups share: each close below the
// reference close adds to the buy run, each close above adds to the sell run, an equal
// close ends both. Runs stop at their cap and never wrap.
#pragma once

#include <cstdint>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"

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

// The closes of the last L bars before the current one: the reference that each close
// is compared with is the close L bars back.
class LaggedCloses {
public:
    // L >= 1, bounded by the owner.
    explicit LaggedCloses(std::uint64_t lookback) : closes_(lookback + 1), lookback_(lookback) {}

    // Stores the close; answers the close L bars before it, or nothing while fewer
    // than L earlier closes are kept.
    std::optional<double> push(double close) {
        if (closes_.size() > lookback_) closes_.drop_oldest();
        if (closes_.size() < lookback_) {
            closes_.push_back(close);
            return std::nullopt;
        }
        const double reference = closes_.from_oldest(0);
        closes_.push_back(close);
        return reference;
    }

    std::uint64_t lookback() const { return lookback_; }

private:
    FixedRing<double> closes_;
    std::uint64_t lookback_;
};

}  // namespace torvex
