#include "indicators/averages/adaptive_laguerre_filter.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "indicators/cores/sorted_window.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, AdaptiveLaguerreFilter);

std::expected<AdaptiveLaguerreFilter, IndicatorError> AdaptiveLaguerreFilter::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AdaptiveLaguerreFilter(n);
}

double AdaptiveLaguerreFilter::median_factor() const {
    // Insertion sort: at most five values.
    std::array<double, 5> sorted{};
    for (std::size_t i = 0; i < factor_count_; ++i) {
        std::size_t j = i;
        while (j > 0 && total_order_key(factors_[i]) < total_order_key(sorted[j - 1])) {
            sorted[j] = sorted[j - 1];
            j -= 1;
        }
        sorted[j] = factors_[i];
    }
    const std::size_t mid = factor_count_ / 2;
    if (factor_count_ % 2 == 1) return sorted[mid];
    return midpoint(sorted[mid - 1], sorted[mid]);
}

std::optional<double> AdaptiveLaguerreFilter::step(double close) {
    double diff = 0.0;
    if (prev_filter_) {
        diff = std::fabs(close - *prev_filter_);
    } else {
        l0_ = l1_ = l2_ = l3_ = close;
    }
    diffs_.push(diff);
    // The fold starts from the most negative and most positive finite values.
    const HiLo range = diffs_.hi_lo();
    const double hh = std::max(std::numeric_limits<double>::lowest(), range.hi);
    const double ll = std::min(std::numeric_limits<double>::max(), range.lo);
    if (hh - ll > 0.0) {
        const double v = (diff - ll) / (hh - ll);
        if (factor_count_ < factors_.size()) {
            factors_[factor_count_++] = v;
        } else {
            std::copy(factors_.begin() + 1, factors_.end(), factors_.begin());
            factors_.back() = v;
        }
        alpha_ = median_factor();
    }
    const double g = 1.0 - alpha_;
    const double l0 = g * l0_ + alpha_ * close;
    const double l1 = (l0_ - g * l0) + g * l1_;
    const double l2 = (l1_ - g * l1) + g * l2_;
    const double l3 = (l2_ - g * l2) + g * l3_;
    l0_ = l0;
    l1_ = l1;
    l2_ = l2;
    l3_ = l3;
    const double filter = ((((l1 + l1) + l0) + (l2 + l2)) + l3) / 6.0;
    prev_filter_ = filter;
    if (!diffs_.full()) return std::nullopt;
    return filter;
}

}  // namespace torvex
