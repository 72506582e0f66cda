// The sample variance of the last n values as a function of the values held alone.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <expected>
#include <utility>

#include "indicators/cores/exact_sum.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"

namespace torvex {

// Σx and Σx² of a multiset of finite doubles, held exactly as fixed-point integers: a
// value added and later removed leaves no trace, so the sums are those of the values
// held, whatever came before and in whatever order. Σx is an ExactSum; Σx² takes each
// square whole (the product of the two 53-bit significands), so no square is rounded,
// overflows or underflows.
//
// Adding or removing a value touches a few limbs and its carry; the variance walks the
// limbs that values have reached, a handful for any real market's returns and a fixed
// bound in all: the cost of either does not grow with the number of values.
class ExactMomentSums {
public:
    // x finite; removes only a value added before.
    void add(double x) { update<false>(x); }
    void remove(double x) { update<true>(x); }

    // The sample variance (divisor count − 1) of the `count` values held, count ≥ 2:
    // the exact (count·Σx² − (Σx)²) / (count·(count − 1)) rounded once to the nearest
    // double (ties to even), so equal multisets and multisets of each other's negatives
    // give the same bits, a flat one gives 0 and one that overflows gives infinity.
    double sample_variance(std::uint64_t count) const;

    // count·(count − 1) shifted up to its top bit, with the reciprocal that divides by it
    // in two multiplications: for a count that is divided by again and again.
    struct Divisor {
        static Divisor of(std::uint64_t count);  // count ≥ 2

        // (high·2^64 + low) / normal and its remainder, for high < normal.
        std::uint64_t divide(std::uint64_t high, std::uint64_t low, std::uint64_t& remainder) const {
            using u128 = unsigned __int128;
            const u128 estimate = u128{inverse} * high + ((u128{high} << 64) | low);
            std::uint64_t q = static_cast<std::uint64_t>(estimate >> 64) + 1;
            std::uint64_t r = low - q * normal;
            if (r > static_cast<std::uint64_t>(estimate)) {
                q -= 1;
                r += normal;
            }
            if (r >= normal) {
                q += 1;
                r -= normal;
            }
            remainder = r;
            return q;
        }

        std::uint64_t normal;
        std::uint64_t inverse;
        int shift;
    };
    double sample_variance(std::uint64_t count, const Divisor& divisor) const;

    // Limbs of 64 bits. Σx has its lowest bit at 2^-1088, below the smallest subnormal,
    // and room above 2^1024 times MAX_PERIOD; Σx² has its lowest bit at 2^-2176 (the
    // square of Σx's) and room above 2^2048 times MAX_PERIOD. Each keeps a spare limb
    // for the top of a value that straddles limbs.
    static constexpr int kSumLimbs = ExactSum::kLimbs;
    static constexpr int kSquareLimbs = 70;
    static constexpr int kSumLow = ExactSum::kLow;
    static constexpr int kSquareLow = 2 * kSumLow;

private:
    template <bool take_out>
    void update(double x);

    ExactSum sum_;
    std::array<std::uint64_t, kSquareLimbs> squares_{};
    // The limbs any square or carry has reached: the variance reads no others. They
    // only widen, which keeps them true whatever has been removed since.
    int square_low_ = kSquareLimbs, square_high_ = -1;
};

template <bool take_out>
inline void ExactMomentSums::update(double x) {
    using u128 = unsigned __int128;
    const exact_sums::SplitDouble split = exact_sums::SplitDouble::of(x);
    if (split.significand == 0) return;  // a zero adds nothing to either sum
    sum_.update<take_out>(split);
    const int square_bit = 2 * split.exponent + kSquareLow;
    const int square_top =
        exact_sums::add_shifted<take_out>(squares_.data(), square_bit, u128{split.significand} * split.significand);
    if constexpr (!take_out) {
        square_low_ = std::min(square_low_, square_bit >> 6);
        square_high_ = std::max(square_high_, square_top);
    }
}

// The sample variance of a sliding window that depends on which values the window
// holds, and on nothing else: not on the order they came in, nor on sums carried over
// from earlier windows. Two windows of the same values give the same bits, and so do
// two windows of each other's negatives (the returns of a market moving among a few
// prices rise and fall by the same steps). A history of such measures then keeps the
// ties that exact arithmetic has, and a rank or a quantile over it does not turn on a
// last-bit rounding that a running sum carried in from bars long gone.
//
// The window's sums are exact (ExactMomentSums) and the variance is their exact value
// rounded once; infinite values are counted beside them. Constant time a value.
class MultisetVariance {
public:
    // n = 0: "window size must be non-zero"; above MAX_PERIOD: the maximum text.
    static std::expected<MultisetVariance, IndicatorError> create(std::uint64_t n);

    // Takes a value that is not NaN, evicting the oldest once n are held; true once n are
    // held.
    bool push(double v) {
        if (values_.size() == period_) leave(values_.replace_oldest(v));
        else values_.push_back(v);
        enter(v);
        return values_.size() == period_;
    }

    // Divisor n − 1 (n ≥ 2), the exact value correctly rounded; exactly 0 when every
    // value held is equal (or one value is held), and 0 when one is infinite. Where the
    // variance is beyond the largest double it is infinite. The window must not be
    // empty.
    double sample_variance() const;

    std::uint64_t period() const { return period_; }

private:
    explicit MultisetVariance(std::uint64_t n)
        : values_(n), full_(ExactMomentSums::Divisor::of(n < 2 ? 2 : n)), period_(n) {}

    void enter(double v) {
        if (v - v == 0.0) sums_.add(v);
        else infinite_ += 1;
    }
    void leave(double v) {
        if (v - v == 0.0) sums_.remove(v);
        else infinite_ -= 1;
    }

    FixedRing<double> values_;  // arrival order: the one that leaves
    ExactMomentSums sums_;
    ExactMomentSums::Divisor full_;  // of a full window
    std::uint64_t period_;
    std::uint64_t infinite_ = 0;  // infinite values held
};

}  // namespace torvex
