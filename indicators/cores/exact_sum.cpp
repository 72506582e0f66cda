#include "indicators/cores/exact_sum.hpp"

namespace torvex {

namespace {
using u64 = std::uint64_t;
using u128 = unsigned __int128;
using i128 = __int128;
}  // namespace

double ExactSum::rounded() const {
    std::array<u64, kLimbs> m{};
    const bool negative = magnitude(m.data());
    int top = high_;
    while (top >= low_ && m[top] == 0) --top;
    if (top < low_) return 0.0;
    // The top two limbs as q (limbs outside [low_, high_] are zero), the rest sticky.
    const u128 q = (u128{m[top]} << 64) | (top >= 1 ? m[top - 1] : 0);
    bool sticky = false;
    for (int k = low_; k < top - 1; ++k) sticky |= m[k] != 0;
    const double r = exact_sums::round_scaled(q, sticky, 64 * (top - 1) - kLow);
    return negative ? -r : r;
}

bool ExactSum::magnitude(std::uint64_t* magnitude) const {
    // Σx = above − below in two's complement over the limbs values have reached, then
    // its magnitude.
    u64 borrow = 0;
    for (int k = low_; k <= high_; ++k) {
        const u128 d = u128{above_[k]} - below_[k] - borrow;
        magnitude[k] = static_cast<u64>(d);
        borrow = static_cast<u64>(d >> 64) & 1;
    }
    const bool negative = borrow != 0;
    const u64 flip = 0 - borrow;
    for (int k = low_; k <= high_; ++k) {
        const u128 v = u128{magnitude[k] ^ flip} + borrow;
        magnitude[k] = static_cast<u64>(v);
        borrow = static_cast<u64>(v >> 64);
    }
    return negative;
}

int ExactSum::sign_of_count_times_minus_sum(std::uint64_t count, double x) const {
    const exact_sums::SplitDouble split = exact_sums::SplitDouble::of(x);
    // count·x as three limbs from limb `at` on (at most 24 + 53 bits, shifted by < 64).
    const u128 value = u128{count} * split.significand;
    int lo = low_, hi = high_, at = 0;
    u64 term[3] = {0, 0, 0};
    if (value != 0) {
        const int bit = split.exponent + kLow, shift = bit & 63;
        at = bit >> 6;
        const u128 low = value << shift;
        term[0] = static_cast<u64>(low);
        term[1] = static_cast<u64>(low >> 64);
        term[2] = shift == 0 ? 0 : static_cast<u64>(value >> (128 - shift));
        lo = std::min(lo, at);
        hi = std::max(hi, at + 2);
    }
    // ±count·x − above + below, limb by limb with a signed carry: the limbs left are
    // each in [0, 2^64), so the carry out of the top gives the sign.
    i128 carry = 0;
    bool nonzero = false;
    for (int k = lo; k <= hi; ++k) {
        const int j = k - at;
        const i128 t = value != 0 && j >= 0 && j < 3 ? i128{term[j]} : 0;
        const i128 acc = carry + (split.negative ? -t : t) - i128{above_[k]} + i128{below_[k]};
        nonzero = nonzero || static_cast<u64>(acc) != 0;
        carry = acc >> 64;
    }
    return carry < 0 ? -1 : (carry > 0 || nonzero) ? 1 : 0;
}

}  // namespace torvex
