// Mass index: the sum over s bars of the ratio of the range's exponential average
// to that average's own exponential average; a bulge marks a range expansion.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/ema_chain.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class MassIndex final : public CandleIndicator<MassIndex> {
public:
    // e = 0 or s = 0: ZeroPeriod; e or s above MAX_PERIOD: InvalidPeriod.
    static std::expected<MassIndex, IndicatorError> create(std::uint64_t e, std::uint64_t s);

    // A range that is not finite answers nothing and changes nothing; so does a
    // first average that is not finite (it does not reach the second). Over a run of
    // bars whose high is their low both averages decay; once both are below
    // DecayScale::kLow they are held times a power of two, which leaves their ratio as
    // it is, so that a run of any length keeps its digits.
    std::optional<double> step(const Ohlcv& bar) {
        const double range = bar.high - bar.low;
        if (!is_finite(range)) return std::nullopt;
        if (scale_.active()) [[unlikely]] return careful_step(range);
        const std::optional<std::array<double, 2>> emas = emas_.step(range);
        if (!emas) return std::nullopt;
        const auto [first, second] = *emas;
        return add_ratio(second < DecayScale::kLow ? careful_ratio(first, second) : first / second);
    }
    std::uint64_t warmup() const override { return 2 * ema_period_ + ratios_.capacity() - 2; }

private:
    MassIndex(EmaChain<2> emas, std::uint64_t e, std::uint64_t s) : ratios_(s), emas_(emas), ema_period_(e) {}

    std::optional<double> add_ratio(double ratio) {
        if (const std::optional<double> old = ratios_.push(ratio)) ratio_sum_ -= *old;
        ratio_sum_ += ratio;
        if (!ratios_.full()) return std::nullopt;
        last_ = ratio_sum_;
        return ratio_sum_;
    }

    // first / second where the second average is below kLow: the pair is scaled up
    // once both are; 1.0 for a second average of exactly 0.
    [[gnu::noinline]] double careful_ratio(double first, double second);
    // A bar while the averages are held scaled: the range enters in their units.
    [[gnu::noinline]] std::optional<double> careful_step(double range);

    std::optional<double> last_;
    CappedRing<double> ratios_;
    EmaChain<2> emas_;
    std::uint64_t ema_period_;
    double ratio_sum_ = 0.0;
    DecayScale scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, MassIndex);

}  // namespace torvex
