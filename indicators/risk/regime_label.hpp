// Volatility regime of the close: +1 when the latest volatility of log returns
// lies above the upper quartile of the recent volatilities, −1 below the lower
// quartile, 0 between.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/multiset_variance.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class RegimeLabel final : public CloseIndicator<RegimeLabel> {
public:
    // vol_period below 2: InvalidPeriod "regime label needs vol_period >= 2"; M;
    // lookback below 2: InvalidPeriod "regime label needs lookback >= 2"; M.
    static std::expected<RegimeLabel, IndicatorError> create(std::uint64_t vol_period, std::uint64_t lookback);

    // A close that is not above 0 is refused like a non-finite one.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return returns_.period() + vols_.capacity(); }

private:
    RegimeLabel(MultisetVariance returns, SortedWindow vols) : returns_(std::move(returns)), vols_(std::move(vols)) {}

    std::optional<double> prev_;
    MultisetVariance returns_;  // log returns
    SortedWindow vols_;         // sample standard deviations of the returns
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RegimeLabel);

}  // namespace torvex
