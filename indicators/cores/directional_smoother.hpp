// Directional movement against the previous bar and its Wilder smoothing: the
// plain sums of the first n values of +DM, -DM and TR, then S = (S - S/n) + x.
// The stage shared by the directional indices, DX and ADX.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "indicators/bar.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/decimal_tie.hpp"
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

// Which of the three sums an owner reads; the others are left at 0.0 and cost nothing.
enum DirectionalWanted : unsigned { kWantPlusDm = 1, kWantMinusDm = 2, kWantTrueRange = 4, kWantAllSums = 7 };

class DirectionalSmoother {
public:
    // A period of 1 keeps nothing of a sum: a bar takes the DM sums straight to 0, so
    // every step takes the careful path, which reads a TR of 0 as no range.
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
        // A move that counts and the other within a few parts in 2^16 of it may be a
        // tie in the decimals that rounded apart: that is decided out of line.
        const double plus_dm = (plus && up > down && up > 0.0 && (down * kNear < up || !tied(bar))) ? up : 0.0;
        const double minus_dm = (minus && down > up && down > 0.0 && (up * kNear < down || !tied(bar))) ? down : 0.0;
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
            if constexpr (all) guard_ = s_.plus_dm + s_.minus_dm;
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
    // after every step. A run of bars without directional movement decays +DM and −DM
    // by a constant factor each bar: a flat run decays TR with them, a run that keeps
    // its range (the last candle repeated, a market pinned between bid and ask) keeps
    // TR. Once +DM + −DM falls below DecayScale::kLow the two are held times a common
    // power of two, and so is TR once it falls there (it never falls below their sum),
    // each group by its own power: `di_factor_` is 100 times the power of TR over that
    // of the DM sums, so the indices read in their own units. The usual step starts from
    // a DM sum at or above kLow and keeps a share of it, so its sums are normal.
    DiPair indices() const {
        // Both quotients in one division instruction; each lane rounds as alone.
        using Pair = double __attribute__((vector_size(16)));
        const Pair di = Pair{di_factor_ * s_.plus_dm, di_factor_ * s_.minus_dm} / Pair{s_.tr, s_.tr};
        return DiPair{di[0], di[1]};
    }

    // DX of the indices `di` of the last step: 100·|+DI − −DI| / (+DI + −DI), 0 when
    // both are 0. TR cancels in it, so where the indices have fallen below kLow (the
    // DM sums decay while TR keeps its range) it is taken from the DM sums, which the
    // group keeps normal.
    double directional_index(const DiPair& di) const {
        const double sum = di.plus_di + di.minus_di;
        if (!(sum >= DecayScale::kLow)) [[unlikely]] return index_below(di);
        return 100.0 * std::fabs(di.plus_di - di.minus_di) / sum;
    }

    std::uint64_t period() const { return period_; }

private:
    // Above 1 by far more than the roundings of a tie in the decimals, which are of the
    // order of 2^-50 of the prices, and by far less than one tick of a move over it.
    static constexpr double kNear = 1.0 + 0x1p-16;

    // Whether the bar's high rises exactly as far as its low falls in the prices'
    // decimals: neither move counts then.
    [[gnu::noinline, gnu::noipa]] bool tied(const Ohlcv& bar) const {
        return sums_tie_in_decimals(bar.high, bar.low, prev_high_, prev_low_);
    }

    // A step from DM sums below kLow in their own units, or held scaled, or a TR of 0.
    [[gnu::noinline]] void smooth_low(double plus_dm, double minus_dm, double tr) {
        if (parked_) s_.tr = 0.0, parked_ = false;
        scale_dm_.settle({{&s_.plus_dm}, {&s_.minus_dm}});
        scale_tr_.settle({{&s_.tr}});
        scale_dm_.enter({{&s_.plus_dm}, {&s_.minus_dm}}, {{&plus_dm}, {&minus_dm}});
        scale_tr_.enter({{&s_.tr}}, {{&tr}});
        s_.plus_dm = s_.plus_dm - s_.plus_dm / n_ + plus_dm;
        s_.minus_dm = s_.minus_dm - s_.minus_dm / n_ + minus_dm;
        s_.tr = s_.tr - s_.tr / n_ + tr;
        settle_low();
    }
    // Scales the sums as they need, parks a TR of 0 at 1 (the indices then read 0), and
    // sets the guard to the DM sums' total where all three are in their own units, else
    // to 0.
    [[gnu::noinline]] void settle_low() {
        if (parked_) s_.tr = 0.0, parked_ = false;
        scale_dm_.settle({{&s_.plus_dm}, {&s_.minus_dm}});
        scale_tr_.settle({{&s_.tr}});
        if (s_.tr == 0.0) s_.tr = 1.0, parked_ = true;
        // Each group keeps its largest sum within [kLow, kHigh], so while the DM sums are
        // not 0 the powers differ by at most some 570 (the sums never exceed TR); the
        // bound keeps the factor finite where they are 0 and TR is held scaled.
        const std::int64_t d = std::min<std::int64_t>(scale_tr_.exponent() - scale_dm_.exponent(), 1000);
        di_factor_ = std::ldexp(100.0, DecayScale::shift_of(d));
        const bool own = !parked_ && !scale_dm_.active() && !scale_tr_.active();
        guard_ = own ? s_.plus_dm + s_.minus_dm : 0.0;
    }
    // DX where the indices sum below kLow: of the DM sums, which share one power of
    // two, while TR is finite; of the indices as they are where TR or they are not.
    [[gnu::noinline]] double index_below(const DiPair& di) const {
        const double sum = di.plus_di + di.minus_di, sums = s_.plus_dm + s_.minus_dm;
        if (!std::isfinite(s_.tr) || std::isnan(sum))
            return sum == 0.0 ? 0.0 : 100.0 * std::fabs(di.plus_di - di.minus_di) / sum;
        return sums == 0.0 ? 0.0 : 100.0 * std::fabs(s_.plus_dm - s_.minus_dm) / sums;
    }

    DirectionalSums s_;  // seed sums until n values came, smoothed sums after
    double prev_high_ = 0.0, prev_low_ = 0.0, prev_close_ = 0.0;
    bool seen_ = false;
    std::uint64_t period_;
    double n_;
    std::uint64_t seed_count_ = 0;
    DecayScale scale_dm_, scale_tr_;  // the DM sums, and TR
    double di_factor_ = 100.0;         // 100 · 2^(TR's power − the DM sums' power)
    double low_;                       // the guard's bound for the usual step
    double guard_ = 0.0;               // the DM sums' total, or 0 (see settle_low)
    bool parked_ = false;  // TR is 0, held as 1
};

}  // namespace torvex
