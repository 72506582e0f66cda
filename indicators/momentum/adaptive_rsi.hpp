// RSI whose averages move faster along an efficient (trending) price path and slower
// in noise: the smoothing constant follows Kaufman's efficiency ratio.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AdaptiveRsi final : public CloseIndicator<AdaptiveRsi> {
public:
    static std::expected<AdaptiveRsi, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit AdaptiveRsi(std::uint64_t n) : prices_(n + 1), changes_(n), clock_(n), period_(n) {}

    std::optional<double> prev_;
    bool seeded_ = false;
    double avg_gain_ = 0.0;
    double avg_loss_ = 0.0;
    FixedRing<double> prices_;   // the last n + 1 closes
    FixedRing<double> changes_;  // the last n absolute one-bar changes
    double vol_sum_ = 0.0;
    // vol_sum_ is tested for zero (a flat path), so it is re-added from the window
    // every n changes instead of carrying rounding residue forever.
    ResumClock clock_;
    std::uint64_t period_;
    double seed_gain_ = 0.0;
    double seed_loss_ = 0.0;
    std::uint64_t seed_count_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, AdaptiveRsi);

}  // namespace torvex
