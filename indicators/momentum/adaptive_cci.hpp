// Commodity channel index around an adaptive mean whose speed follows the
// efficiency of the typical-price path over the window (fast 2 bars, slow 30).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/decay_scale.hpp"

namespace torvex {

class AdaptiveCci final : public CandleIndicator<AdaptiveCci> {
public:
    // Z(n), M(n), then n = 1: InvalidPeriod "adaptive CCI needs period >= 2".
    static std::expected<AdaptiveCci, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit AdaptiveCci(std::uint64_t n)
        : window_(n), period_(n), near_flat_(static_cast<double>(n) * 0x1p-44) {}

    // Where every typical price of the window prints as the newest one's decimal, the
    // window has no path: the step of a flat window at the price its run or its mean
    // already holds. Nothing where the window does not print flat.
    [[gnu::noinline]] std::optional<double> printed_flat(double tp);

    // The mean is a double near the prices, so each update rounds it to an ulp of the
    // level, and what the roundings leave decays only as fast as the mean adapts: up
    // to 1/(2 sc) ulps (some 120 on a flat window). Against a window whose deviation is
    // a sliver of the level (a market pinned between bid and ask, the first bar after
    // a long halt) that decides digits the answer shows, and it differs with the level.
    // The residue holds the exact mean less the stored one, each update's rounding
    // added as it is made; where it can show in the answer, the answer is taken from
    // the stored mean plus the residue, and the stored mean goes on as it was.
    [[gnu::noinline]] double off_level(double tp, double mean, double dev);
    // A window of n equal prices: the mean closes in on them by 1 - sc a bar and
    // never reaches them, so the index is -66.67 times the side the mean lies on. The
    // stored mean stalls within 1/(2 sc) ulps of the price, and the residue cancels
    // against that distance down to its own roundings; so the mean less the price is
    // kept as its own decaying state, scaled by a power of two, which answers, and the
    // residue is rebuilt from it each bar.
    [[gnu::noinline]] double flat_window(double tp, double prev, double& mean);

    struct Flat {
        double price = 0.0;   // the window's price
        double left = 0.0;    // the stored mean and the residue as the last flat bar left them
        double left_residue = 0.0;
        double distance = 0.0;  // the exact mean less the price
        DecayScale scale;
    };

    std::optional<double> mean_;
    double residue_ = 0.0;
    Flat flat_;
    CappedRing<double> window_;
    std::uint64_t period_;
    // Below near_flat_ times the price, the path is a few roundings a bar: typical prices
    // that print alike lie some 2^-49 of the level apart.
    double near_flat_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AdaptiveCci);

}  // namespace torvex
