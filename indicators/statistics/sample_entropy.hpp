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

    // Quadratic in n per value (one comparison a pair where the distances are kept).
    // 0.0 for a window without spread or without a matching pair; ln(B) when pairs
    // match at length m but none at m + 1.
    std::optional<double> step(double close);

    // Up to this many template starts (n − m) the distances of every pair are kept.
    static constexpr std::uint64_t kKeptStarts = 256;
    std::uint64_t warmup() const override { return period_; }

private:
    SampleEntropy(std::uint64_t n, std::uint64_t m, double r_factor);

    // The kept distances for the window in `x`: all of them on the first full window,
    // then those of the newest start.
    void update_distances(const double* x, std::uint64_t starts);
    void set_distances(const double* x, std::uint64_t starts, std::uint64_t slot_i, std::uint64_t i,
                       std::uint64_t slot_j, std::uint64_t j);

    FixedRing<double> window_;
    std::vector<double> scratch_;  // the window, oldest first, reused on every value
    std::uint64_t period_;
    std::uint64_t m_;
    double r_factor_;
    // Where the starts are few enough, the distance of every pair of templates, kept
    // from value to value as the window slides: the largest absolute difference of
    // their values at length m (near_) and at m + 1 (far_), by pair of slots (start t
    // at slot t mod (n − m)), the pairs of slots a < b row by row. Each value brings
    // one start into the slot of the one that left; the counts then compare every
    // distance with r, as the pairs compared afresh would. Empty where the starts are
    // too many: the pairs are then compared afresh.
    std::vector<double> near_;
    std::vector<double> far_;
    std::uint64_t values_ = 0;  // values taken so far
    bool distances_ready_ = false;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, SampleEntropy);

}  // namespace torvex
