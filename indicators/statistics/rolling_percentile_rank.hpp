// Percentile rank of the close within the last n closes (itself included): the share
// below it plus half the share equal to it, in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sorted_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class RollingPercentileRank final : public CloseIndicator<RollingPercentileRank> {
public:
    static std::expected<RollingPercentileRank, IndicatorError> create(std::uint64_t n);

    // In (0, 100]; two bisections of the sorted window per value.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    RollingPercentileRank(SortedWindow window, std::uint64_t n) : window_(std::move(window)), period_(n) {}

    SortedWindow window_;
    std::uint64_t period_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RollingPercentileRank);

}  // namespace torvex
