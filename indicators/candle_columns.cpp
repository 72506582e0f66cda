#include "indicators/candle_columns.hpp"

namespace torvex {

void CandleColumnStore::resize(std::size_t rows) {
    open_.resize(rows);
    high_.resize(rows);
    low_.resize(rows);
    volume_.resize(rows);
    valid_.resize(rows);
}

void CandleColumnStore::fill(std::span<const Ohlcv> candles, std::size_t from, std::size_t to) {
    for (std::size_t r = from; r < to; ++r) {
        const Ohlcv& c = candles[r];
        open_[r] = c.open;
        high_[r] = c.high;
        low_[r] = c.low;
        volume_[r] = c.volume;
        valid_[r] = candle_is_valid(c) ? 1 : 0;
    }
}

CandleColumns CandleColumnStore::view() const { return {open_, high_, low_, volume_, valid_}; }

}  // namespace torvex
