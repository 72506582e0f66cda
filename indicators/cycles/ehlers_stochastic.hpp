// Ehlers' stochastic of the roofing-filtered close: where the filtered value lies
// in its n-bar range, on [−1, 1], averaged with the previous reading.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/cores/nan_skipping_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class EhlersStochastic final : public CloseIndicator<EhlersStochastic> {
public:
    static std::expected<EhlersStochastic, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit EhlersStochastic(std::uint64_t n) : roofing_(10.0, 48), range_(n), period_(n) {}

    std::optional<double> answer(double s) {
        const double result = prev_stoch_ ? midpoint(*prev_stoch_, s) : s;
        prev_stoch_ = s;
        return result;
    }
    // A bar while the filter's states and the window are held scaled: the close's
    // change enters in their units.
    [[gnu::noinline]] std::optional<double> careful_step(double close);
    // Where the window's range is below kLow or far below the high-pass: the filter's
    // states and the window are scaled up once all are below kLow, the core armed to
    // carry its sum, and the newest value is placed in the range they hold (0 for an
    // empty range, as ever).
    [[gnu::noinline]] std::optional<double> careful_answer();
    // Settles the group on its largest state, the window with it; `careful_` follows.
    void settle();
    // The group and the window back in their own units and the sum no longer carried.
    void stop_carrying();

    RoofingCore roofing_;    // high-pass 48, super smoother 10
    NanSkippingExtremes range_;  // of the last n smoothed values
    std::uint64_t period_;
    std::optional<double> prev_stoch_;
    // The high-pass value, the smoother's memory and the window's values: a run of
    // repeated closes decays them all by the filter's factors. While the sum is carried,
    // the sum, the smoother's outputs and the window.
    DecayScale scale_;
    bool careful_ = false;  // scaled or carrying: the bars go to careful_step
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, EhlersStochastic);

}  // namespace torvex
