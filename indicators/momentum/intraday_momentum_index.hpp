// Intraday momentum index: the share of the candle bodies of the last n bars that
// was gained by rising bars, 0 to 100.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/summed_pair_window.hpp"

namespace torvex {

class IntradayMomentumIndex final : public CandleIndicator<IntradayMomentumIndex> {
public:
    // Z(n), M(n).
    static std::expected<IntradayMomentumIndex, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit IntradayMomentumIndex(std::uint64_t n) : window_(n) {}

    SummedPairWindow window_;  // (gain, loss) of each bar
};

}  // namespace torvex
