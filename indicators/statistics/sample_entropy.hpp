// Sample entropy of the last n closes: minus the log of the share of template pairs
// of length m that still match at length m + 1, within r_factor standard deviations.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SampleEntropy final : public CloseIndicator<SampleEntropy> {
public:
    // A zero period or template length: ZeroPeriod; period below m + 2 (however large
    // m): "sample entropy needs period >= m + 2"; r_factor not finite and above zero:
    // "sample entropy r_factor must be finite and positive"; period above MAX_PERIOD:
    // refused.
    static std::expected<SampleEntropy, IndicatorError> create(std::uint64_t n, std::uint64_t m, double r_factor);

    // Quadratic in n per value. 0.0 for a window without spread or without a matching
    // pair; ln(B) when pairs match at length m but none at m + 1.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    SampleEntropy(std::uint64_t n, std::uint64_t m, double r_factor);

    FixedRing<double> window_;
    std::vector<double> scratch_;  // the window, oldest first, reused on every value
    std::uint64_t period_;
    std::uint64_t m_;
    double r_factor_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, SampleEntropy);

}  // namespace torvex
