// DeMark countdown: after a completed setup, counts the closes at or beyond the low
// (buy) or high (sell) of b bars back, up to c. The last count needs the qualifier:
// the bar's low at or below (high at or above) the close of count c - 5.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/demark/sequential_count.hpp"

namespace torvex {

class TdCountdown final : public SequentialCount<TdCountdown> {
public:
    static std::expected<TdCountdown, IndicatorError> create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                                             std::uint64_t countdown_lookback,
                                                             std::uint64_t countdown_length);

    void count(const Ohlcv& bar, const Ohlcv& previous, const Ohlcv& b_back);
    void restart() { qualifier_.clear(); }

private:
    explicit TdCountdown(SequentialLengths lengths) : SequentialCount(lengths) {}

    CountdownReference qualifier_;
};

}  // namespace torvex
