// Ehlers' adaptive Laguerre filter of the close: a four-stage Laguerre filter whose
// factor is the median of the recent normalised tracking errors.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/nan_skipping_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AdaptiveLaguerreFilter final : public CloseIndicator<AdaptiveLaguerreFilter> {
public:
    static std::expected<AdaptiveLaguerreFilter, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit AdaptiveLaguerreFilter(std::uint64_t n) : diffs_(n), period_(n) {}

    // Median of the recent factors in IEEE total order.
    double median_factor() const;

    std::optional<double> prev_filter_;
    NanSkippingExtremes diffs_;  // the last n tracking errors
    std::uint64_t period_;
    double l0_ = 0.0;
    double l1_ = 0.0;
    double l2_ = 0.0;
    double l3_ = 0.0;
    double alpha_ = 1.0;
    std::array<double, 5> factors_{};  // oldest first
    std::size_t factor_count_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, AdaptiveLaguerreFilter);

}  // namespace torvex
