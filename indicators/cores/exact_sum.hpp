// The sum of a multiset of finite doubles, held exactly as a fixed-point integer.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

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

}  // namespace torvex
