// The per-bar input of every indicator update, its member records and the candle rule.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "indicators/error.hpp"

namespace torvex {

struct Ohlcv {
    std::int64_t ts = 0;  // milliseconds since the Unix epoch
    double open = 0.0;
    double high = 0.0;
    double low = 0.0;
    double close = 0.0;
    double volume = 0.0;
};

struct Trade {
    double price = 0.0;
    double quantity = 0.0;
    std::uint64_t id = 0;  // carried with the print; no indicator reads it
    bool is_sell = false;
};

struct BookLevel {
    double price = 0.0;
    double size = 0.0;
};

// Best level first on both sides.
struct OrderBook {
    std::vector<BookLevel> bids;
    std::vector<BookLevel> asks;
};

struct DerivativesTick {
    double funding_rate = 0.0;
    double mark_price = 0.0;
    double index_price = 0.0;
    double futures_price = 0.0;
    double open_interest = 0.0;
    double long_side = 0.0;
    double short_side = 0.0;
    double taker_buy_volume = 0.0;
    double taker_sell_volume = 0.0;
    double long_liquidations = 0.0;
    double short_liquidations = 0.0;
    std::int64_t ts = 0;
};

struct CrossSectionMember {
    double change = 0.0;
    double volume = 0.0;
    bool new_high = false;
    bool new_low = false;
    bool above_ma = false;
    bool bullish = false;
};

struct CrossSection {
    std::vector<CrossSectionMember> members;
};

// Everything an indicator may know about one bar. It borrows its members for the
// duration of one bar's updates; indicators copy what they keep.
struct BarContext {
    explicit BarContext(const Ohlcv& bar) : candle(bar) {}

    std::optional<double> reference;
    std::optional<DerivativesTick> derivatives;
    const Ohlcv& candle;
    std::span<const Trade> trades{};
    const OrderBook* book = nullptr;
    const CrossSection* cross_section = nullptr;
};

// True for a value that is neither infinite nor NaN, decided on the bit pattern so
// that no floating-point mode can change the answer.
constexpr bool is_finite(double x) {
    constexpr std::uint64_t kMaxFinite = 0x7FEF'FFFF'FFFF'FFFFull;
    return (std::bit_cast<std::uint64_t>(x) & 0x7FFF'FFFF'FFFF'FFFFull) <= kMaxFinite;
}

// The candle rule of every indicator that reads more than the close. The first
// failing check decides the message.
Checked validate_candle(const Ohlcv& c);

// The same rule as a plain test, for loops that need no message: true exactly when
// validate_candle accepts the candle. Every comparison with a NaN is false, and once
// high is at least open and close and they are at least low, all four prices lie
// between low and high: bounding those two bounds them all, and high >= low follows.
// Eight comparisons instead of five finiteness tests and six comparisons.
constexpr bool candle_is_valid(const Ohlcv& c) {
    constexpr double kMax = std::numeric_limits<double>::max();
    return c.high >= c.open && c.high >= c.close && c.open >= c.low && c.close >= c.low && c.high <= kMax &&
           c.low >= -kMax && c.volume >= 0.0 && c.volume <= kMax;
}

}  // namespace torvex
