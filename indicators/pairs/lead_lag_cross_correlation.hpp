// The strongest Pearson correlation between `window` closes and `window` references
// shifted by up to `max_lag` bars either way (signed; lag 0 wins ties, then the
// smaller shift, the reference leading before lagging).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class LeadLagCrossCorrelation final : public MultiOutput<LeadLagCrossCorrelation, 1> {
public:
    static constexpr std::array<std::string_view, 1> kOutputNames{"correlation"};
    static constexpr InputGate kGate = InputGate::None;

    static std::expected<LeadLagCrossCorrelation, IndicatorError> create(std::uint64_t window, std::uint64_t max_lag);

    std::optional<std::array<double, 1>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return length_; }

private:
    LeadLagCrossCorrelation(std::uint64_t window, std::uint64_t max_lag)
        : closes_(window + 2 * max_lag), references_(window + 2 * max_lag), window_(window), max_lag_(max_lag),
          length_(window + 2 * max_lag) {}

    // Correlation of `window_` closes from ring position a with `window_` references
    // from position b.
    double correlation(std::size_t a, std::size_t b) const;
    // Whether the closes correlate exactly as strongly with the references from ring
    // position b1 as with those from b2.
    [[gnu::noinline]] bool equally_strong(std::size_t b1, std::size_t b2) const;

    CappedRing<double> closes_;
    CappedRing<double> references_;
    std::uint64_t window_;
    std::uint64_t max_lag_;
    std::uint64_t length_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, LeadLagCrossCorrelation, 1);

}  // namespace torvex
