#include "indicators/cores/multiset_variance.hpp"

#include <bit>
#include <cmath>
#include <limits>

namespace torvex {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

}  // namespace

ExactMomentSums::Divisor ExactMomentSums::Divisor::of(std::uint64_t count) {
    const u64 d = count * (count - 1);
    const int shift = std::countl_zero(d);
    const u64 normal = d << shift;
    // ⌊(2^128 − 1) / normal⌋ − 2^64: the quotient lies in [2^64, 2^65).
    return {normal, static_cast<u64>(~u128{0} / normal), shift};
}

double ExactMomentSums::sample_variance(std::uint64_t count) const {
    if (count < 2) return 0.0;
    return sample_variance(count, Divisor::of(count));
}

double ExactMomentSums::sample_variance(std::uint64_t count, const Divisor& divisor) const {
    if (sum_.high() < 0) return 0.0;
    // |Σx| over the limbs values have reached (the sign is spent: the square does not
    // need it).
    const int lo = sum_.low(), hi = sum_.high();
    u64 sum[kSumLimbs];
    sum_.magnitude(sum);
    int top = hi;
    while (top >= lo && sum[top] == 0) --top;

    // (Σx)², then the numerator count·Σx² − (Σx)², exact and not below zero, in one
    // pass. Limbs of Σx² that no value reached are zero.
    const int nlo = std::min(square_low_, 2 * lo), nhi = std::max(square_high_ + 1, 2 * top + 1);
    u64 square[kSquareLimbs];
    for (int k = nlo; k <= nhi; ++k) square[k] = 0;
    for (int i = lo; i <= top; ++i) {
        u64 carry = 0;
        for (int j = lo; j <= top; ++j) {
            const u128 p = u128{sum[i]} * sum[j] + square[i + j] + carry;
            square[i + j] = static_cast<u64>(p);
            carry = static_cast<u64>(p >> 64);
        }
        square[i + top + 1] = carry;
    }
    u64 num[kSquareLimbs];
    u64 times = 0;
    u64 borrow = 0;
    for (int k = nlo; k <= nhi; ++k) {
        const u128 p = u128{squares_[k]} * count + times;
        times = static_cast<u64>(p >> 64);
        const u128 d = u128{static_cast<u64>(p)} - square[k] - borrow;
        num[k] = static_cast<u64>(d);
        borrow = static_cast<u64>(d >> 64) & 1;
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
    bool sticky = (lead == 0 ? next : next << lead) != 0;
    for (int k = t - 3; k >= nlo && !sticky; --k) sticky = num[k] != 0;
    // head's last bit weighs 2^(64(t − 1) − lead − kSquareLow). Halved, its high word is
    // below the normalised divisor d·2^s, and the quotient by that has 63 bits or more.
    sticky = sticky || (static_cast<u64>(head) & 1) != 0;
    u64 remainder = 0;
    const u64 q = divisor.divide(static_cast<u64>(head >> 65), static_cast<u64>(head >> 1), remainder);
    return exact_sums::round_scaled(q, sticky || remainder != 0, 64 * (t - 1) - lead - kSquareLow + 1 + divisor.shift);
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
    const std::uint64_t count = values_.size();
    return count == period_ ? sums_.sample_variance(count, full_) : sums_.sample_variance(count);
}

}  // namespace torvex
