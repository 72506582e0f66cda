// Ehlers' stochastic of the roofing-filtered close: where the filtered value lies
// in its n-bar range, on [−1, 1], averaged with the previous reading.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

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

    RoofingCore roofing_;    // high-pass 48, super smoother 10
    NanSkippingExtremes range_;  // of the last n smoothed values
    std::uint64_t period_;
    std::optional<double> prev_stoch_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, EhlersStochastic);

}  // namespace torvex
