// Ehlers' Fisher transform of the close's position in its n-bar range.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/nan_skipping_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class FisherTransform final : public CloseIndicator<FisherTransform> {
public:
    static std::expected<FisherTransform, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit FisherTransform(std::uint64_t n) : range_(n), period_(n) {}

    NanSkippingExtremes range_;  // of the last n closes
    std::uint64_t period_;
    double value_ = 0.0;  // the smoothed position, held inside (−1, 1)
    std::optional<double> last_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, FisherTransform);

}  // namespace torvex
