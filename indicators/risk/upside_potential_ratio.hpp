// Mean upside above a minimum acceptable return over the downside deviation below it.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/value_ring.hpp"

namespace torvex {

class UpsidePotentialRatio final : public CloseIndicator<UpsidePotentialRatio> {
public:
    // n below 2: InvalidPeriod "upside potential ratio needs period >= 2"; M; then
    // mar finite, else InvalidParameter "mar must be finite".
    static std::expected<UpsidePotentialRatio, IndicatorError> create(std::uint64_t n, double mar);

    // (Σ max(v − mar, 0) / n) / √(Σ min(v − mar, 0)² / n); 0.0 with no return below mar.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    UpsidePotentialRatio(std::uint64_t n, double mar) : window_(n), mar_(mar), clock_(n) {}

    ValueRing window_;
    double mar_;
    double up_sum_ = 0.0;
    double down_sq_sum_ = 0.0;
    std::uint64_t below_ = 0;  // returns in the window below mar
    // Both sums are re-added from the window every n updates and as a value that
    // dwarfed them leaves, so that a window without downside finds its downside sum
    // exactly 0 again as soon as a huge value has left.
    ResumClock clock_;
};

}  // namespace torvex
