// Kaufman's adaptive moving average: the smoothing constant moves between a fast
// and a slow one with the efficiency ratio of the last n changes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Kama final : public CloseIndicator<Kama> {
public:
    // n: efficiency period; fast must be below slow.
    static std::expected<Kama, IndicatorError> create(std::uint64_t n, std::uint64_t fast, std::uint64_t slow);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    Kama(std::uint64_t n, double fast_sc, double slow_sc) : window_(n + 1), period_(n), fast_sc_(fast_sc), slow_sc_(slow_sc) {}

    std::optional<double> last_;
    FixedRing<double> window_;  // the last n + 1 closes
    std::uint64_t period_;
    double fast_sc_;
    double slow_sc_;
};

}  // namespace torvex
