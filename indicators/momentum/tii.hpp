// Trend intensity index: the share, in percent, of the positive deviations of the
// close from its simple average over the last m deviations.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class Tii final : public CloseIndicator<Tii> {
public:
    // n is the average's length, m the number of deviations weighed.
    static std::expected<Tii, IndicatorError> create(std::uint64_t n, std::uint64_t m);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return closes_.period() + window_len_ - 1; }

private:
    Tii(VarianceWindow closes, std::uint64_t m) : deviations_(m), closes_(std::move(closes)), window_len_(m), clock_(m) {}

    void resum();

    FixedRing<double> deviations_;
    // The deviation from the average is taken from the anchored sums: a rounded
    // average at a level of 1e6 would put 1e-10 into deviations of 1e-5.
    VarianceWindow closes_;
    FlatRun run_;  // n equal closes have no deviation from their average
    std::uint64_t window_len_;
    double pos_sum_ = 0.0;  // sum of the positive deviations in the window
    double neg_sum_ = 0.0;  // sum of the magnitudes of the negative ones
    // The sums decide the no-deviation case by comparing their total with zero, so
    // they are re-added from the window every m deviations.
    ResumClock clock_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Tii);

}  // namespace torvex
