// Where the latest commodity channel index lies within the range of its last n
// values, 0 to 100.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/momentum/cci.hpp"

namespace torvex {

class StochasticCci final : public CandleIndicator<StochasticCci> {
public:
    // Z(n), M(n).
    static std::expected<StochasticCci, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    // The first index comes with bar n and n of them are needed.
    std::uint64_t warmup() const override { return 2 * cci_.period() - 1; }

private:
    explicit StochasticCci(CciCore cci) : cci_(std::move(cci)), values_(cci_.period()) {}

    CciCore cci_;
    SlidingExtremes values_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, StochasticCci);

}  // namespace torvex
