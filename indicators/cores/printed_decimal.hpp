// A sum of a few prices read as the decimal the prices were written as. Prices print
// as decimals of a few places, which doubles hold only to rounding, and their sum
// rounds once more: two bars whose high + low + close print the same may sum to
// doubles a few units in the last place apart, and a comparison of the doubles then
// reads a tie as a move. Where such a comparison is close enough to be in doubt, it
// is decided on the decimals instead.
//
// A decimal of k places is an integer times 2^-k / 5^k, so times 5^k it is a dyadic
// rational of few bits; so is any power of two times it, which keeps the reading free
// of the price scale. A double within kSlack units in its last place of t / 5^k, for
// such a dyadic t of at most kBits bits and k at most kMaxPlaces, reads as t / 5^k;
// of the readings at each k the one of fewest bits is taken. Points of kBits bits lie
// 2^(53 - kBits) units in the last place apart, so at each k at most one is that close,
// and the decimal a sum stands for reads as itself: its reading at fewer places is not
// dyadic, at more places it has more bits. A double near no such decimal (a price that
// is no short decimal) has no reading.
#pragma once

#include <optional>

namespace torvex {

struct PrintedDecimal {
    static constexpr int kMaxPlaces = 8;
    // A sum of three prices lies within 8 units in the last place of its decimal
    // (each price and each addition rounds once, and three times the typical price twice
    // more); times 5^k it may lie twice as far in units of its own last place.
    static constexpr int kSlack = 32;
    // 2^38 units: eight places to beyond a thousand, cents to beyond a billion.
    static constexpr int kBits = 38;

    int places = 0;      // k
    double fifths = 0.0;  // t, the decimal times 5^k

    friend bool operator==(const PrintedDecimal&, const PrintedDecimal&) = default;

    // The reading of x, or nothing where no decimal of at most kMaxPlaces places and
    // kBits bits lies within kSlack units in the last place of it (or x is not finite).
    static std::optional<PrintedDecimal> of(double x);
};

// Whether a and b (sums of the same count of prices) read as one decimal: equal
// doubles do, and so do two that read alike.
bool same_printed(double a, double b);

// Whether every typical price ((high + low + close) / 3) a window holds prints as tp's
// decimal: three times a typical price is its bar's sum, to a few roundings.
template <class Window>
bool typical_prices_print_flat(const Window& window, double tp) {
    const std::optional<PrintedDecimal> newest = PrintedDecimal::of(3.0 * tp);
    if (!newest) return false;
    bool flat = true;
    window.for_each([&](double v) { flat = flat && (v == tp || PrintedDecimal::of(3.0 * v) == newest); });
    return flat;
}

}  // namespace torvex
