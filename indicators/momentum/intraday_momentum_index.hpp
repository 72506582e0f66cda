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

    std::optional<double> step(const Ohlcv& bar) {
        const double d = bar.close - bar.open;
        window_.push(d > 0.0 ? d : 0.0, d < 0.0 ? -d : 0.0);
        if (!window_.full()) return std::nullopt;
        const double total = window_.sum_b() + window_.sum_a();
        if (total == 0.0) return 50.0;
        return window_.sum_a() * 100.0 / total;
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit IntradayMomentumIndex(std::uint64_t n) : window_(n) {}

    SummedPairWindow window_;  // (gain, loss) of each bar
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, IntradayMomentumIndex);

}  // namespace torvex
