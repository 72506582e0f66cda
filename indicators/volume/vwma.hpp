// Volume-weighted moving average of the close, and its step over (price, volume)
// pairs that the volume-weighted MACD runs on states of its own.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VwmaCore {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<VwmaCore, IndicatorError> create(std::uint64_t n);

    // No input guard: callers pass finite values. Once n pairs are held answers
    // Σ p·v / Σ v, or the plain mean of the prices when Σ v is not above zero. The
    // three sums are re-added from the window after every n pushes.
    std::optional<double> step(double price, double volume) {
        if (const std::optional<Pair> old = window_.push(Pair{price, volume})) {
            pv_sum_ -= old->price * old->volume;
            volume_sum_ -= old->volume;
            price_sum_ -= old->price;
            pv_magnitude_ -= std::fabs(old->price * old->volume);
            price_magnitude_ -= std::fabs(old->price);
        }
        pv_sum_ += price * volume;
        volume_sum_ += volume;
        price_sum_ += price;
        pv_magnitude_ += std::fabs(price * volume);
        price_magnitude_ += std::fabs(price);
        if (clock_.tick(pv_magnitude_, volume_sum_, price_magnitude_)) resum();
        if (!window_.full()) return std::nullopt;
        if (volume_sum_ > 0.0) return pv_sum_ / volume_sum_;
        return price_sum_ / static_cast<double>(window_.capacity());
    }

    std::uint64_t period() const { return window_.capacity(); }

private:
    struct Pair {
        double price;
        double volume;
    };
    explicit VwmaCore(std::uint64_t n) : window_(n), clock_(n) {}

    // Re-adds the five sums from the window: rare, so kept out of the step.
    void resum();

    FixedRing<Pair> window_;
    double pv_sum_ = 0.0;
    double volume_sum_ = 0.0;
    double price_sum_ = 0.0;
    // Σ|p·v| and Σ|p|: the prices may have either sign (the volumes may not).
    double pv_magnitude_ = 0.0;
    double price_magnitude_ = 0.0;
    // The sums are re-added from the window every n updates and as a bar that
    // dwarfed them leaves.
    ResumClock clock_;
};

class Vwma final : public CandleIndicator<Vwma> {
public:
    static std::expected<Vwma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) { return core_.step(bar.close, bar.volume); }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit Vwma(VwmaCore core) : core_(std::move(core)) {}
    VwmaCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Vwma);

}  // namespace torvex
