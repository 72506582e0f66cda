// Hurst exponent of the spread (close minus reference) over the last `period` bars,
// from the growth of the mean squared change with the lag: half the log-log slope,
// held within [0, 1]. 0.5 (a random walk) when too few lags show any movement.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class SpreadHurst final : public PairIndicator<SpreadHurst> {
public:
    static std::expected<SpreadHurst, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit SpreadHurst(std::uint64_t period);

    // Whether the spreads tau bars apart are equal in the decimals the newest prices a
    // and b are written to (the lag shows no movement).
    [[gnu::noinline]] bool still_as_written(std::size_t tau, double a, double b) const;

    CappedRing<double> spreads_;
    std::vector<double> ordered_;  // the window copied oldest first
    std::vector<double> log_lags_;
    std::vector<double> log_vars_;
    std::uint64_t period_;
    std::uint64_t max_lag_;
};

}  // namespace torvex
