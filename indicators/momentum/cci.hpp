// Commodity channel index: distance of the typical price from its n-bar mean, in
// units of 0.015 times the mean absolute deviation; and its step, which the
// stochastic form shares.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/bar_prices.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/resummed_ring.hpp"

namespace torvex {


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
        double dev = -0.0;
        window_.ring().for_each([&](double v) { dev += std::fabs(v - mean); });
        dev = dev / n;
        if (dev == 0.0 || run_.covers(period_)) return 0.0;
        return (tp - mean) / (dev * 0.015);
    }

    std::uint64_t period() const { return period_; }

private:
    explicit CciCore(std::uint64_t n) : window_(n), period_(n) {}

    ResummedRing window_;  // typical prices and their sum
    std::uint64_t period_;
    FlatRun run_;  // of the typical prices
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
