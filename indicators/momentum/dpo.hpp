// Detrended price oscillator: the close ⌊n/2⌋ bars back against the current n-bar mean.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Dpo final : public CloseIndicator<Dpo> {
public:
    static std::expected<Dpo, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return capacity_; }

private:
    explicit Dpo(std::uint64_t n);

    FixedRing<double> window_;
    std::uint64_t period_;
    std::uint64_t lag_;       // ⌊n/2⌋: how far back the detrended close lies
    std::uint64_t capacity_;  // max(n, ⌊n/2⌋ + 2): enough for both the mean and the lagged close
    double sum_ = 0.0;        // sum of the last n closes
    double magnitude_ = 0.0;  // Σ|close| over the same closes
    ResumClock clock_;
};

}  // namespace torvex
