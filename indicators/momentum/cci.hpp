// Commodity channel index: distance of the typical price from its n-bar mean, in
// units of 0.015 times the mean absolute deviation; and its step, which the
// stochastic form shares.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/bar_prices.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/cores/printed_decimal.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/resummed_ring.hpp"

namespace torvex {


// The index from the typical price's distance to its mean and the mean deviation
// (not zero): distance / (deviation * 0.015). Where that product would fall below the
// normal range (prices near the smallest double) it loses its bits or becomes 0 and
// the index turns infinite or NaN; there the deviation divides first, which stays
// finite: the distance is at most n deviations.
inline double cci_ratio(double distance, double dev) {
    const double scaled = dev * 0.015;
    if (std::fabs(scaled) >= std::numeric_limits<double>::min()) [[likely]] return distance / scaled;
    return distance / dev / 0.015;
}

class CciCore {
public:
    // Z(n), M(n).
    static std::expected<CciCore, IndicatorError> create(std::uint64_t n);

    // A candle that already passed the candle rule; the index once n bars came, 0
    // for a window without deviation. The sum is re-added from the window every n
    // updates and as a value that dwarfed it leaves, so a flat window after any
    // history reads exactly flat. A window of n equal typical prices has no
    // deviation, though sum / n may miss their value by a rounding (0.1 over 20 bars
    // gives a deviation of a few 1e-18 and an index of -66.67): it answers 0.
    std::optional<double> step(const Ohlcv& bar) {
        const double tp = typical_price(bar);
        window_.push(tp);
        run_.push(tp);
        if (!window_.full()) return std::nullopt;
        const double n = static_cast<double>(period_);
        const double mean = window_.sum() / n;
        const double dev = deviation(mean);
        // The running sum may be off by a few roundings of the largest Σ|v| it held
        // since its last re-add (drift, or what a value that left took with it).
        // Against an ordinary deviation that is far below what the index shows, but
        // when the window's spread is a sliver of that (tick moves at 1e12, or a level
        // a thousandfold above the window's that has just left) it decides the index:
        // the mean is then re-added from the window itself, so the answer is the
        // window's own.
        if (dev * kSliver < window_.peak_magnitude()) [[unlikely]] return from_window(tp);
        return index(tp, tp - mean, dev);
    }

    std::uint64_t period() const { return period_; }

private:
    // A deviation below peak / kSliver has the mean re-added from the window. Above it
    // the running sum's drift, at most n * 2^-52 * peak between re-adds (2^-52 * peak
    // in the mean), moves the index by less than 2^-34 / 0.015 (some 4e-9); ordinary bars, whose
    // spread is a good part of a percent of the price, stay on the running sum.
    static constexpr double kSliver = 0x1p18;

    // The index never exceeds n / (2 * 0.015) in size: the other prices' distances to
    // the mean add up to at least the newest one's, so the deviation is at least
    // 2 |tp - mean| / n. It reaches that bound exactly when no other price lies on the
    // newest one's side of the mean. Computed, the index misses it by a few roundings,
    // which a ring of such indices (every rise at n = 2, a steady climb at 3) turns into
    // a range of noise; so an index within kNearBound of the bound is settled exactly.
    // Near the bound the index is off by less than some 2^-33 + (n + 4) 2^-53 of itself
    // on the running sum, and some 2 (n + 2) 2^-53 on the window's own: 2^-28 at the
    // longest period.
    static constexpr double kNearBound = 0x1p-24;
    // Prices spanning at most this many binades are summed exactly in 128-bit integers:
    // 2^24 of them below 2^(53 + 40) each stay below 2^117.
    static constexpr int kUnitSpan = 40;

    explicit CciCore(std::uint64_t n)
        : window_(n), period_(n), near_bound_(bound(n) * (1.0 - kNearBound)) {}

    static double bound(std::uint64_t n) { return static_cast<double>(n) / (2.0 * 0.015); }

    // The bound with the index's sign when the newest typical price is alone on its side
    // of the window's mean (decided on exact sums); else, for prices within kUnitSpan
    // binades, the index from exact sums, rounded short of the bound, and beyond them
    // the index as computed.
    [[gnu::noinline]] double at_bound(double tp, double index) const;

    // The index from the window alone, its mean taken as the newest price plus the
    // average of each price less it: those differences are exact for prices within a
    // factor of two of each other, so the mean is rounded in units of the window's
    // spread rather than of its level (a sum of n prices rounds to an ulp of n times
    // the level, which against a deviation a sliver of it shows in the index).
    [[gnu::noinline]] double from_window(double tp) const {
        if (!run_.covers(period_) && printed_flat(tp)) return 0.0;
        const double n = static_cast<double>(period_);
        double s = -0.0;
        window_.ring().for_each([&](double v) { s += v - tp; });
        const double offset = s / n;  // the mean less the newest price
        if (std::isfinite(offset)) [[likely]] {
            double dev = -0.0;
            window_.ring().for_each([&](double v) { dev += std::fabs((v - tp) - offset); });
            return index(tp, -offset, dev / n);
        }
        // Differences beyond the double range: the plain sum.
        double plain = -0.0;
        window_.ring().for_each([&](double v) { plain += v; });
        const double mean = plain / n;
        return index(tp, tp - mean, deviation(mean));
    }

    // Whether every typical price of the window stands for the newest one's decimal:
    // high + low + close of bars that print the same may round to typical prices a few
    // units in the last place apart, a deviation of rounding alone that would read a
    // window without deviation as a move of up to the bound.
    bool printed_flat(double tp) const { return typical_prices_print_flat(window_.ring(), tp); }

    // The index of the newest price tp from its distance to the mean and the deviation.
    double index(double tp, double distance, double dev) const {
        if (dev == 0.0 || run_.covers(period_)) return 0.0;
        const double ratio = cci_ratio(distance, dev);
        if (std::fabs(ratio) >= near_bound_) [[unlikely]] return at_bound(tp, ratio);
        return ratio;
    }

    double deviation(double mean) const {
        double dev = -0.0;
        window_.ring().for_each([&](double v) { dev += std::fabs(v - mean); });
        return dev / static_cast<double>(period_);
    }

    ResummedRing window_;  // typical prices and their sum
    std::uint64_t period_;
    FlatRun run_;  // of the typical prices
    double near_bound_;  // the bound less kNearBound of it
};

class Cci final : public CandleIndicator<Cci> {
public:
    static std::expected<Cci, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) { return core_.step(bar); }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit Cci(CciCore core) : core_(std::move(core)) {}
    CciCore core_;
};

}  // namespace torvex
