// Shannon entropy, in bits, of a histogram of the last n closes over b equal-width
// bins spanning the window's range.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ShannonEntropy final : public CloseIndicator<ShannonEntropy> {
public:
    // A zero period or bin count: ZeroPeriod; bins below 2: "Shannon entropy needs
    // bins >= 2"; bins, then period, above MAX_PERIOD: refused.
    static std::expected<ShannonEntropy, IndicatorError> create(std::uint64_t n, std::uint64_t bins);

    // 0.0 for a flat window.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    ShannonEntropy(std::uint64_t n, std::uint64_t bins) : window_(n), counts_(bins, 0), period_(n), bins_(bins) {}

    FixedRing<double> window_;
    std::vector<std::uint64_t> counts_;  // one per bin, refilled on every value
    std::uint64_t period_;
    std::uint64_t bins_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, ShannonEntropy);

}  // namespace torvex
