// DeMark combo: after a completed setup, counts the bars that close below the previous
// close, at or below the low of b bars back, with a low at or below the previous low
// (buy; the mirror for sell), up to c.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/demark/sequential_count.hpp"

namespace torvex {

class TdCombo final : public SequentialCount<TdCombo> {
public:
    static std::expected<TdCombo, IndicatorError> create(std::uint64_t setup_lookback, std::uint64_t setup_length,
                                                         std::uint64_t countdown_lookback,
                                                         std::uint64_t countdown_length);

    void count(const Ohlcv& bar, const Ohlcv& previous, const Ohlcv& b_back);
    void restart() {}

private:
    explicit TdCombo(SequentialLengths lengths) : SequentialCount(lengths) {}
};

}  // namespace torvex
