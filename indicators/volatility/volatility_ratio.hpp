// Volatility ratio: this bar's true range against the exponential average of the
// true ranges before it.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class VolatilityRatio final : public CandleIndicator<VolatilityRatio> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<VolatilityRatio, IndicatorError> create(std::uint64_t n);

    // The first bar only keeps its close; the next n true ranges seed the average
    // (their plain mean, no answer); afterwards TR / E with E from before this bar
    // (0 when E is not above 0), then E moves towards TR with alpha = 2/(n + 1). A
    // run of flat bars decays E by a constant factor each bar; once it falls below
    // DecayScale::kLow it is held times a power of two, and the first range after the
    // run is divided by E in its exact units. Where that ratio lies beyond the double
    // range it reads 0, as for an E of 0. The one test of the usual path is E against
    // kLow: while E is held, ema_ keeps it in its own units, which are below kLow.
    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double tr = true_range(bar, *prev_close_);
        prev_close_ = bar.close;
        if (ema_) {
            const double e = *ema_;
            if (!(e >= DecayScale::kLow)) [[unlikely]] return step_low(tr);
            const double ratio = tr / e;
            ema_ = tr * alpha_ + e * (1.0 - alpha_);
            last_ = ratio;
            return ratio;
        }
        seed_sum_ += tr;
        seed_count_ += 1;
        if (seed_count_ == period_) ema_ = seed_sum_ / static_cast<double>(seed_count_);
        return std::nullopt;
    }
    std::uint64_t warmup() const override { return period_ + 2; }

private:
    explicit VolatilityRatio(std::uint64_t n)
        : period_(n), alpha_(2.0 / (static_cast<double>(n) + 1.0)) {}

    // A step with E below kLow: zero, not a number, or held times a power of two.
    [[gnu::noinline]] double step_low(double tr);

    std::optional<double> prev_close_;
    std::optional<double> ema_;
    std::optional<double> last_;
    std::uint64_t period_;
    double alpha_;
    double seed_sum_ = 0.0;
    std::uint64_t seed_count_ = 0;
    DecayScale scale_;
    double held_ = 0.0;  // E times 2^scale_.exponent() while the scale is active
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, VolatilityRatio);

}  // namespace torvex
