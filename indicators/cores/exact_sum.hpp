// The sum of a multiset of finite doubles, held exactly as a fixed-point integer.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <span>

namespace torvex {

namespace exact_sums {

// Adds (or takes out) `value` · 2^bit, a value of at most 106 bits, to a little-endian
// run of limbs; answers the highest limb the value or its carry changed. Taking out
// never borrows past the top: the run holds at least what is taken.
template <bool take_out>
inline int add_shifted(std::uint64_t* limbs, int bit, unsigned __int128 value) {
    using u64 = std::uint64_t;
    using u128 = unsigned __int128;
    const int i = bit >> 6, shift = bit & 63;
    const u128 low = value << shift;
    const u64 high = shift == 0 ? 0 : static_cast<u64>(value >> (128 - shift));
    const u128 before = (u128{limbs[i + 1]} << 64) | limbs[i];
    const u128 after = take_out ? before - low : before + low;
    limbs[i] = static_cast<u64>(after);
    limbs[i + 1] = static_cast<u64>(after >> 64);
    bool carry = take_out ? after > before : after < before;
    if (high == 0 && !carry) return (after >> 64) != (before >> 64) ? i + 1 : i;
    int k = i + 2;
    const u64 third = limbs[k];
    const u64 with = take_out ? third - high - carry : third + high + carry;
    limbs[k] = with;
    carry = take_out ? (third < high || (third == high && carry)) : (with < third || (with == third && carry));
    for (++k; carry; ++k) {
        if constexpr (take_out) {
            carry = limbs[k] == 0;
            limbs[k] -= 1;
        } else {
            limbs[k] += 1;
            carry = limbs[k] == 0;
        }
    }
    return k - 1;
}

// A finite double as ±significand · 2^exponent; a zero has significand 0.
struct SplitDouble {
    std::uint64_t significand;
    int exponent;
    bool negative;

    static SplitDouble of(double x) {
        using u64 = std::uint64_t;
        const u64 b = std::bit_cast<u64>(x);
        const int biased = static_cast<int>((b >> 52) & 0x7ff);
        return {(b & ((u64{1} << 52) - 1)) | (biased != 0 ? u64{1} << 52 : 0), (biased != 0 ? biased : 1) - 1075,
                (b >> 63) != 0};
    }
};

// 2^k for −1074 ≤ k ≤ 1023, subnormal below −1022.
inline double power_of_two(int k) {
    return k >= -1022 ? std::bit_cast<double>(static_cast<std::uint64_t>(k + 1023) << 52)
                      : std::bit_cast<double>(std::uint64_t{1} << (k + 1074));
}

// q · 2^e, where the fraction below q's last bit is not zero when `sticky`, rounded
// once to the nearest double, ties to even; subnormal results are rounded at their
// own last bit and results of 2^1024 and above are infinite.
inline double round_scaled(unsigned __int128 q, bool sticky, int e) {
    using u64 = std::uint64_t;
    using u128 = unsigned __int128;
    const int bits = 128 - (static_cast<u64>(q >> 64) != 0 ? std::countl_zero(static_cast<u64>(q >> 64))
                                                              : 64 + std::countl_zero(static_cast<u64>(q)));
    if (bits + e - 1 > 1023) return std::numeric_limits<double>::infinity();
    int drop = bits - 53;
    if (e + drop < -1074) drop = -1074 - e;
    if (drop <= 0) return static_cast<double>(static_cast<u64>(q)) * power_of_two(e);  // exact, sticky is clear
    u64 m = 0;
    bool up = false;
    if (drop > 128) {
        up = false;  // below half the last bit
    } else if (drop == 128) {
        const u128 half = u128{1} << 127;
        up = q > half || (q == half && sticky);
    } else {
        m = static_cast<u64>(q >> drop);
        const u128 rest = q & ((u128{1} << drop) - 1), half = u128{1} << (drop - 1);
        up = rest > half || (rest == half && (sticky || (m & 1) != 0));
    }
    return static_cast<double>(m + up) * power_of_two(e + drop);
}

}  // namespace exact_sums

// Σx of a multiset of finite doubles as a fixed-point integer: a value added and later
// removed leaves no trace, so the sum is that of the values held, whatever came before
// and in whatever order. It is kept as the sum of the positive values and the sum of
// the magnitudes of the negative ones, each of which only ever holds what was added to
// it and so never goes below zero. Adding or removing touches a few limbs and a carry.
class ExactSum {
public:
    // Limbs of 64 bits; the lowest bit is 2^-1088, below the smallest subnormal, with
    // room above 2^1024 times MAX_PERIOD and a spare limb for the top of a value that
    // straddles limbs.
    static constexpr int kLimbs = 36;
    static constexpr int kLow = 1088;

    // x finite; removes only a value added before.
    void add(double x) { update<false>(exact_sums::SplitDouble::of(x)); }
    void remove(double x) { update<true>(exact_sums::SplitDouble::of(x)); }

    template <bool take_out>
    void update(const exact_sums::SplitDouble& x) {
        if (x.significand == 0) return;  // a zero adds nothing
        const int bit = x.exponent + kLow;
        const int top = exact_sums::add_shifted<take_out>(x.negative ? below_.data() : above_.data(), bit, x.significand);
        if constexpr (!take_out) {
            low_ = std::min(low_, bit >> 6);
            high_ = std::max(high_, top);
        }
    }

    // |Σx| into magnitude[low() … high()]; true when Σx is below zero. Limbs outside
    // that run are zero.
    bool magnitude(std::uint64_t* magnitude) const;

    // The sign of count·x − Σx (−1, 0 or +1), exactly; x finite, count < 2^64 / 2^53
    // times no more than MAX_PERIOD.
    int sign_of_count_times_minus_sum(std::uint64_t count, double x) const;

    // Σx rounded once to the nearest double (ties to even): the same for the same
    // multiset, whatever came and left before.
    double rounded() const;

    // The limbs any value or carry has reached; no other limb is ever non-zero. They
    // only widen, which keeps them true whatever has been removed since. Empty (low
    // above high) before the first non-zero value.
    int low() const { return low_; }
    int high() const { return high_; }

private:
    std::array<std::uint64_t, kLimbs> above_{};  // Σ of the positive values
    std::array<std::uint64_t, kLimbs> below_{};  // Σ of the magnitudes of the negative ones
    int low_ = kLimbs, high_ = -1;
};

// Σx of a window's storage runs, exact and rounded once: the window's own sum, whatever
// came before. Out of line and handed the runs by value, and defined here, where the
// compiler sees that it writes no memory of the caller's: a hot loop that calls it on
// a rare path keeps its own state in registers.
[[gnu::noinline, gnu::pure]] inline double exact_sum_of_runs(std::span<const double> first, std::span<const double> second) {
    ExactSum sum;
    for (const double v : first) sum.add(v);
    for (const double v : second) sum.add(v);
    return sum.rounded();
}

}  // namespace torvex
