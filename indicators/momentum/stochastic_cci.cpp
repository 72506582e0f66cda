#include "indicators/momentum/stochastic_cci.hpp"

#include <limits>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, StochasticCci);

std::expected<StochasticCci, IndicatorError> StochasticCci::create(std::uint64_t n) {
    auto cci = CciCore::create(n);
    if (!cci) return std::unexpected(cci.error());
    return StochasticCci(std::move(*cci));
}

std::optional<double> StochasticCci::step(const Ohlcv& bar) {
    const std::optional<double> c = cci_.step(bar);
    if (!c) return std::nullopt;
    values_.push(*c, *c);
    if (!values_.full()) return std::nullopt;
    const double lo = values_.lowest();
    const double hi = values_.highest();
    // Only a NaN index in the window (from prices whose sums overflow) leaves the
    // newest outside the extremes: no place within a range then, not a number off the scale.
    if (!(lo <= *c && *c <= hi)) [[unlikely]] return std::numeric_limits<double>::quiet_NaN();
    if (hi - lo == 0.0) return 50.0;
    return (*c - lo) / (hi - lo) * 100.0;
}

}  // namespace torvex
