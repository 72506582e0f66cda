// Directional movement against the previous bar and its Wilder smoothing: the
// plain sums of the first n values of +DM, -DM and TR, then S = (S - S/n) + x.
// The stage shared by the directional indices, DX and ADX.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/wilder_atr.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

struct DirectionalSums {
    double plus_dm = 0.0;
    double minus_dm = 0.0;
    double tr = 0.0;
};

// +DI and -DI of smoothed sums: 100·DM/TR, both 0 when the smoothed TR is 0.
struct DiPair {
    double plus_di = 0.0;
    double minus_di = 0.0;
};

// 100·|+DI − −DI| / (+DI + −DI), 0 when both indices are 0.
inline double directional_index(const DiPair& di) {
    const double sum = di.plus_di + di.minus_di;
    return sum == 0.0 ? 0.0 : 100.0 * std::fabs(di.plus_di - di.minus_di) / sum;
}

// Which of the three sums an owner reads; the others are left at 0.0 and cost nothing.
enum DirectionalWanted : unsigned { kWantPlusDm = 1, kWantMinusDm = 2, kWantTrueRange = 4, kWantAllSums = 7 };

class DirectionalSmoother {
public:
    // A period of 1 keeps nothing of a sum: a flat bar takes TR straight to 0, so every
    // step takes the careful path, which reads a TR of 0 as no range.
    explicit DirectionalSmoother(std::uint64_t n)
        : period_(n), n_(static_cast<double>(n)), low_(n > 1 ? DecayScale::kLow : std::numeric_limits<double>::infinity()) {}

    std::optional<DirectionalSums> step(const Ohlcv& bar) {
        if (!advance(bar)) return std::nullopt;
        return s_;
    }

    // The same step answering whether the sums have values (then sums()): the form the
    // column loops use, which passes no structure through memory. An owner advances
    // with one `kWanted` throughout: the sums it reads are exactly those of the whole
    // step, and each is smoothed on its own.
    template <unsigned kWanted = kWantAllSums>
    [[gnu::always_inline]] bool advance(const Ohlcv& bar) {
        if (!seen_) {
            seen_ = true;
            prev_high_ = bar.high, prev_low_ = bar.low, prev_close_ = bar.close;
            return false;
        }
        constexpr bool plus = (kWanted & kWantPlusDm) != 0, minus = (kWanted & kWantMinusDm) != 0,
                       range = (kWanted & kWantTrueRange) != 0;
        const double tr = range ? true_range(bar, prev_close_) : 0.0;
        const double up = bar.high - prev_high_;
        const double down = prev_low_ - bar.low;
        const double plus_dm = (up > down && up > 0.0) ? up : 0.0;
        const double minus_dm = (down > up && down > 0.0) ? down : 0.0;
        prev_high_ = bar.high, prev_low_ = bar.low, prev_close_ = bar.close;
        constexpr bool all = plus && minus && range;
        if (seed_count_ >= period_) [[likely]] {
            if constexpr (all) {
                if (!(guard_ >= low_)) [[unlikely]] {
                    smooth_low(plus_dm, minus_dm, tr);
                    return true;
                }
            }
            if constexpr (plus) s_.plus_dm = s_.plus_dm - s_.plus_dm / n_ + plus_dm;
            if constexpr (minus) s_.minus_dm = s_.minus_dm - s_.minus_dm / n_ + minus_dm;
            if constexpr (range) s_.tr = s_.tr - s_.tr / n_ + tr;
            if constexpr (all) guard_ = s_.tr;
            return true;
        }
        if constexpr (plus) s_.plus_dm += plus_dm;
        if constexpr (minus) s_.minus_dm += minus_dm;
        if constexpr (range) s_.tr += tr;
        seed_count_ += 1;
        if constexpr (all) {
            if (seed_count_ == period_) settle_low();
        }
        return seed_count_ >= period_;
    }
    // The sums of an owner that reads +DM or −DM alone.
    const DirectionalSums& sums() const { return s_; }

    // +DI and −DI of the sums, for an owner that advances with all three and reads them
    // after every step. A run of flat bars decays the sums by a constant factor each
    // bar; once TR falls below DecayScale::kLow the three are held times a common power
    // of two (+DM and −DM never exceed TR, so TR leads them), which leaves every
    // quotient as it is. The usual step starts from a TR at or above kLow and keeps a
    // share of it, so its TR is normal; the others keep TR normal, or 1 where all three
    // sums are 0 (no range in exact arithmetic: both indices are 0).
    DiPair indices() const {
        // Both quotients in one division instruction; each lane rounds as alone.
        using Pair = double __attribute__((vector_size(16)));
        const Pair di = Pair{100.0 * s_.plus_dm, 100.0 * s_.minus_dm} / Pair{s_.tr, s_.tr};
        return DiPair{di[0], di[1]};
    }

    std::uint64_t period() const { return period_; }

private:
    // A step from a TR below kLow in its own units: 0, not a number, or held scaled.
    [[gnu::noinline]] void smooth_low(double plus_dm, double minus_dm, double tr) {
        if (parked_) s_.tr = 0.0, parked_ = false;
        scale_.settle({{&s_.plus_dm}, {&s_.minus_dm}, {&s_.tr}});
        scale_.enter({{&s_.plus_dm}, {&s_.minus_dm}, {&s_.tr}}, {{&plus_dm}, {&minus_dm}, {&tr}});
        s_.plus_dm = s_.plus_dm - s_.plus_dm / n_ + plus_dm;
        s_.minus_dm = s_.minus_dm - s_.minus_dm / n_ + minus_dm;
        s_.tr = s_.tr - s_.tr / n_ + tr;
        settle_low();
    }
    // Scales the sums as they need, parks a TR of 0 at 1 (the indices then read 0), and
    // sets the guard to TR in its own units: below kLow while the sums are held scaled.
    [[gnu::noinline]] void settle_low() {
        if (parked_) s_.tr = 0.0, parked_ = false;
        scale_.settle({{&s_.plus_dm}, {&s_.minus_dm}, {&s_.tr}});
        if (s_.tr == 0.0) s_.tr = 1.0, parked_ = true;
        guard_ = parked_ ? 0.0 : scale_.own(s_.tr);
    }

    DirectionalSums s_;  // seed sums until n values came, smoothed sums after
    double prev_high_ = 0.0, prev_low_ = 0.0, prev_close_ = 0.0;
    bool seen_ = false;
    std::uint64_t period_;
    double n_;
    std::uint64_t seed_count_ = 0;
    DecayScale scale_;
    double low_;           // the guard's bound for the usual step
    double guard_ = 0.0;   // TR in its own units, for an owner of all three sums
    bool parked_ = false;  // TR is 0, held as 1
};

}  // namespace torvex
