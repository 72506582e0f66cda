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

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace torvex {

struct PrintedDecimal {
    static constexpr int kMaxPlaces = 8;
    // A sum of three prices lies within 8 units in the last place of its decimal
    // (each price and each addition rounds once, and three times the typical price twice
    // more); times 5^k it may lie twice as far in units of its own last place.
    static constexpr int kSlack = 32;
    // 2^38 units of a sum of three prices: prices of eight places to some hundreds, of
    // cents to some hundreds of millions.
    static constexpr int kBits = 38;

    int places = 0;        // k
    double fifths = 0.0;   // t / 2^exponent, in [0.5, 1) (0 for a zero x), with x's sign
    int exponent = 0;

    friend bool operator==(const PrintedDecimal&, const PrintedDecimal&) = default;

    // The reading of x, or nothing where no decimal of at most kMaxPlaces places and
    // kBits bits lies within kSlack units in the last place of it (or x is not finite).
    // Inline, without calls: an owner deciding a rare near tie in its bar loop keeps
    // its state in registers.
    static std::optional<PrintedDecimal> of(double x) {
        constexpr double kFives[kMaxPlaces + 1] = {1, 5, 25, 125, 625, 3125, 15625, 78125, 390625};
        constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
        if (x == 0.0) return PrintedDecimal{};
        if (!std::isfinite(x)) return std::nullopt;
        // Read at [1, 2): exact for any x, and the same reading at any power of two
        // times x, the largest and the smallest doubles included. Bit operations, not
        // library calls.
        constexpr std::uint64_t kExponentOne = std::uint64_t{1023} << 52;
        std::uint64_t bits_x = std::bit_cast<std::uint64_t>(std::fabs(x));
        int shift = 0;
        if (bits_x < (std::uint64_t{1} << 52)) {  // subnormal: 2^64 times it is normal, exactly
            bits_x = std::bit_cast<std::uint64_t>(std::fabs(x) * 0x1p64);
            shift = -64;
        }
        shift += static_cast<int>(bits_x >> 52) - 1023;
        const double unit = std::bit_cast<double>((bits_x & kFraction) | kExponentOne);
        std::optional<PrintedDecimal> best;
        int best_bits = kBits + 1;
        for (int k = 0; k <= kMaxPlaces; ++k) {
            // Positive doubles order as their bit patterns, and units in the last
            // place are steps of them: of the patterns within kSlack of y's, the one
            // with most trailing zeros is the prefix the ends share, then a 1 where
            // they first differ, then zeros.
            const std::uint64_t u = std::bit_cast<std::uint64_t>(unit * kFives[k]);
            const std::uint64_t lo = u - kSlack;
            const std::uint64_t hi = u + kSlack;
            const int split = 63 - std::countl_zero(lo ^ hi);
            const std::uint64_t t = hi >> split << split;
            const std::uint64_t fraction = t & kFraction;
            const int bits = fraction == 0 ? 1 : 53 - std::countr_zero(fraction);
            if (bits < best_bits) {
                // t = m 2^e with m in [0.5, 1).
                const int e = static_cast<int>(t >> 52) - 1022;
                const double m = std::bit_cast<double>((t & kFraction) | (std::uint64_t{1022} << 52));
                best = PrintedDecimal{k, std::copysign(m, x), shift + e};
                best_bits = bits;
            }
        }
        return best;
    }
};

// Whether a and b (sums of the same count of prices) read as one decimal: equal
// doubles do, and so do two that read alike.
inline bool same_printed(double a, double b) {
    if (a == b) return true;
    const std::optional<PrintedDecimal> pa = PrintedDecimal::of(a);
    return pa && pa == PrintedDecimal::of(b);
}

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
