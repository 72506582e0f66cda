#include "indicators/cores/multiset_variance.hpp"

#include <bit>
#include <cmath>
#include <limits>

namespace torvex {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

// Adds (or takes out) `value` · 2^bit, a value of at most Words·64 − 63 bits, to a
// little-endian run of limbs; answers the highest limb the value or its carry reached.
// Taking out never borrows past the top: the run holds at least what is taken.
template <int Words>
int add_shifted(u64* limbs, int bit, u128 value, bool take_out) {
    const int i = bit >> 6, shift = bit & 63;
    const u128 low = value << shift;
    u64 w[3] = {static_cast<u64>(low), static_cast<u64>(low >> 64), 0};
    if constexpr (Words == 3) w[2] = shift == 0 ? 0 : static_cast<u64>(value >> (128 - shift));
    int top = i;
    bool carry = false;
    int k = i;
    for (int j = 0; j < Words; ++j, ++k) {
        if (w[j] != 0 || carry) top = k;
        const u64 before = limbs[k];
        if (take_out) {
            const u64 d = before - w[j];
            limbs[k] = d - carry;
            carry = before < w[j] || (carry && d == 0);
        } else {
            const u64 s = before + w[j];
            limbs[k] = s + carry;
            carry = s < before || (carry && limbs[k] == 0);
        }
    }
    if (!carry) return top;
    for (; carry; ++k) {
        if (take_out) {
            carry = limbs[k] == 0;
            limbs[k] -= 1;
        } else {
            limbs[k] += 1;
            carry = limbs[k] == 0;
        }
    }
    return k - 1;
}

// (high·2^64 + low) / d and its remainder, for high < d: the quotient fits 64 bits.
inline u64 divide_wide(u64 high, u64 low, u64 d, u64& remainder) {
#if defined(__x86_64__)
    u64 q;
    __asm__("divq %4" : "=a"(q), "=d"(remainder) : "a"(low), "d"(high), "rm"(d));
    return q;
#else
    const u128 n = (u128{high} << 64) | low;
    remainder = static_cast<u64>(n % d);
    return static_cast<u64>(n / d);
#endif
}

// q · 2^e, where the fraction below q's last bit is not zero when `sticky`, rounded
// once to the nearest double, ties to even; subnormal results are rounded at their
// own last bit and results of 2^1024 and above are infinite.
double round_scaled(u128 q, bool sticky, int e) {
    const int bits = 128 - (static_cast<u64>(q >> 64) != 0 ? std::countl_zero(static_cast<u64>(q >> 64))
                                                              : 64 + std::countl_zero(static_cast<u64>(q)));
    if (bits + e - 1 > 1023) return std::numeric_limits<double>::infinity();
    int drop = bits - 53;
    if (e + drop < -1074) drop = -1074 - e;
    if (drop <= 0) return std::ldexp(static_cast<double>(static_cast<u64>(q)), e);  // exact, sticky is clear
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
    return std::ldexp(static_cast<double>(m + up), e + drop);
}

}  // namespace

void ExactMomentSums::update(double x, bool take_out) {
    const u64 b = std::bit_cast<u64>(x);
    const int biased = static_cast<int>((b >> 52) & 0x7ff);
    const u64 significand = (b & ((u64{1} << 52) - 1)) | (biased != 0 ? u64{1} << 52 : 0);
    if (significand == 0) return;  // a zero adds nothing to either sum
    const int exponent = (biased != 0 ? biased : 1) - 1075;  // x = ±significand · 2^exponent

    const int sum_bit = exponent + kSumLow;
    u64* side = (b >> 63) != 0 ? below_.data() : above_.data();
    const int sum_top = add_shifted<2>(side, sum_bit, significand, take_out);
    const int square_bit = 2 * exponent + kSquareLow;
    const int square_top = add_shifted<3>(squares_.data(), square_bit, u128{significand} * significand, take_out);
    if (!take_out) {
        sum_low_ = std::min(sum_low_, sum_bit >> 6);
        sum_high_ = std::max(sum_high_, sum_top);
        square_low_ = std::min(square_low_, square_bit >> 6);
        square_high_ = std::max(square_high_, square_top);
    }
}

double ExactMomentSums::sample_variance(std::uint64_t count) const {
    if (count < 2 || sum_high_ < 0) return 0.0;
    // |Σx| = |above − below|, over the limbs values have reached.
    u64 sum[kSumLimbs];
    const int lo = sum_low_, hi = sum_high_;
    bool borrow = false;
    for (int k = lo; k <= hi; ++k) {
        const u64 d = above_[k] - below_[k];
        sum[k] = d - borrow;
        borrow = above_[k] < below_[k] || (borrow && d == 0);
    }
    if (borrow) {  // below the other side: negate, two's complement over the run
        bool carry = true;
        for (int k = lo; k <= hi; ++k) {
            sum[k] = ~sum[k] + carry;
            carry = carry && sum[k] == 0;
        }
    }
    int top = hi;
    while (top >= lo && sum[top] == 0) --top;

    // The numerator count·Σx² − (Σx)², exact and not below zero.
    u64 num[kSquareLimbs];
    const int nlo = std::min(square_low_, 2 * lo), nhi = std::max(square_high_ + 1, 2 * top + 1);
    for (int k = nlo; k <= nhi; ++k) num[k] = 0;
    u64 carry = 0;
    for (int k = square_low_; k <= square_high_; ++k) {
        const u128 p = u128{squares_[k]} * count + carry;
        num[k] = static_cast<u64>(p);
        carry = static_cast<u64>(p >> 64);
    }
    num[square_high_ + 1] = carry;
    for (int i = lo; i <= top; ++i) {
        if (sum[i] == 0) continue;
        // Take out sum[i] · sum[j] · 2^(64(i+j)) for every j, carrying the borrow.
        u64 hi_part = 0;
        bool under = false;
        int k = i + lo;
        for (int j = lo; j <= top; ++j, ++k) {
            const u128 p = u128{sum[i]} * sum[j] + hi_part;
            const u64 low = static_cast<u64>(p);
            hi_part = static_cast<u64>(p >> 64);
            const u64 before = num[k];
            const u64 d = before - low;
            num[k] = d - under;
            under = before < low || (under && d == 0);
        }
        // The high part of the last product, then the borrow, upwards.
        for (; hi_part != 0 || under; ++k) {
            const u64 before = num[k];
            const u64 d = before - hi_part;
            num[k] = d - under;
            under = before < hi_part || (under && d == 0);
            hi_part = 0;
        }
    }
    int t = nhi;
    while (t >= nlo && num[t] == 0) --t;
    if (t < nlo) return 0.0;

    // The numerator's top 128 bits, and whether any bit below them is set.
    const int lead = std::countl_zero(num[t]);
    const auto limb = [&](int k) { return k >= nlo ? num[k] : u64{0}; };
    const u128 window = (u128{num[t]} << 64) | limb(t - 1);
    const u64 next = limb(t - 2);
    const u128 head = lead == 0 ? window : (window << lead) | (next >> (64 - lead));
    bool sticky = lead != 0 && (next << lead) != 0;
    if (lead == 0) sticky = next != 0;
    for (int k = t - 3; k >= nlo && !sticky; --k) sticky = num[k] != 0;
    // head's last bit weighs 2^(64(t − 1) − lead − kSquareLow). Divided by
    // d = count·(count − 1) (2 to below 2^48, of b bits), its top 63 + b bits give a
    // quotient of 63 bits or more, the bits below joining the sticky bit with the
    // remainder; their high word, of b − 1 bits, is below d.
    const u64 divisor = count * (count - 1);
    const int shift = 65 - std::bit_width(divisor);
    const u128 top_bits = head >> shift;
    sticky = sticky || (static_cast<u64>(head) & ((u64{1} << shift) - 1)) != 0;
    u64 remainder = 0;
    const u64 q = divide_wide(static_cast<u64>(top_bits >> 64), static_cast<u64>(top_bits), divisor, remainder);
    return round_scaled(q, sticky || remainder != 0, 64 * (t - 1) - lead - kSquareLow + shift);
}

std::expected<MultisetVariance, IndicatorError> MultisetVariance::create(std::uint64_t n) {
    if (n == 0) return std::unexpected(IndicatorError::invalid_period("window size must be non-zero"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return MultisetVariance(n);
}

double MultisetVariance::sample_variance() const {
    // An infinite value leaves no finite variance; it reads 0, as the not-a-number
    // that running sums give does.
    if (infinite_ != 0) return 0.0;
    return sums_.sample_variance(values_.size());
}

}  // namespace torvex
