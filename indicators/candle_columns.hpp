// The fields of a run of candles as separate contiguous columns, with the candle
// rule's answer for each bar: what the column loops of the candle types read instead
// of stepping through whole candles, and the storage they are built into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "indicators/bar.hpp"

namespace torvex {

// Column r of each holds candle r's field; valid[r] is 1 where the candle passes the
// candle rule, else 0. The closes travel beside them as their own column.
struct CandleColumns {
    std::span<const double> open;
    std::span<const double> high;
    std::span<const double> low;
    std::span<const double> volume;
    std::span<const std::uint8_t> valid;

    // True when every column holds exactly n rows.
    bool covers(std::size_t n) const {
        return open.size() == n && high.size() == n && low.size() == n && volume.size() == n && valid.size() == n;
    }
    // Rows [from, from + n) of every column.
    CandleColumns subspan(std::size_t from, std::size_t n) const {
        return {open.subspan(from, n), high.subspan(from, n), low.subspan(from, n), volume.subspan(from, n),
                valid.subspan(from, n)};
    }
};

// Storage for the columns of up to `rows` candles, filled by ranges of rows, so that
// several threads may fill disjoint ranges of one store.
class CandleColumnStore {
public:
    void resize(std::size_t rows);
    // Rows [from, to) of the columns from candles[from, to); where `closes` is given,
    // its rows [from, to) take the closes in the same pass over the candles.
    void fill(std::span<const Ohlcv> candles, std::size_t from, std::size_t to, double* closes = nullptr);
    // Every row of the store.
    CandleColumns view() const;

private:
    std::vector<double> open_, high_, low_, volume_;
    std::vector<std::uint8_t> valid_;
};

}  // namespace torvex
