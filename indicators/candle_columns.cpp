#include "indicators/candle_columns.hpp"

namespace torvex {

void CandleColumnStore::resize(std::size_t rows) {
    open_.resize(rows);
    high_.resize(rows);
    low_.resize(rows);
    volume_.resize(rows);
    valid_.resize(rows);
}

namespace {

// Through local pointers: a store to the byte column could otherwise be taken to
// change the vectors' own pointers, which would then be read again on every row.
template <bool kCloses>
void fill_rows(const Ohlcv* __restrict in, std::size_t from, std::size_t to, double* __restrict open,
               double* __restrict high, double* __restrict low, double* __restrict volume,
               std::uint8_t* __restrict valid, double* __restrict closes) {
    // The candles come from memory (the list is larger than the caches, and was
    // written well before): asked for some way ahead, where the processor's own
    // prefetching of a 48-byte stride falls short. A hint only, never a fault: the
    // address is worked out as a number, as it may lie past the end.
    constexpr std::uintptr_t kAhead = 96 * sizeof(Ohlcv);
    for (std::size_t r = from; r < to; ++r) {
        __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(in + r) + kAhead));
        const Ohlcv& c = in[r];
        open[r] = c.open;
        high[r] = c.high;
        low[r] = c.low;
        volume[r] = c.volume;
        if constexpr (kCloses) closes[r] = c.close;
        valid[r] = candle_is_valid(c) ? 1 : 0;
    }
}

}  // namespace

void CandleColumnStore::fill(std::span<const Ohlcv> candles, std::size_t from, std::size_t to, double* closes) {
    if (closes != nullptr) {
        fill_rows<true>(candles.data(), from, to, open_.data(), high_.data(), low_.data(), volume_.data(),
                        valid_.data(), closes);
    } else {
        fill_rows<false>(candles.data(), from, to, open_.data(), high_.data(), low_.data(), volume_.data(),
                         valid_.data(), nullptr);
    }
}

CandleColumns CandleColumnStore::view() const { return {open_, high_, low_, volume_, valid_}; }

}  // namespace torvex
