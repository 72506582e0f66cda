#include "indicators/risk/upside_potential_ratio.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {

std::expected<UpsidePotentialRatio, IndicatorError> UpsidePotentialRatio::create(std::uint64_t n, double mar) {
    if (auto ok = check_min_period(n, 2, "upside potential ratio needs period >= 2"); !ok) {
        return std::unexpected(ok.error());
    }
    if (!std::isfinite(mar)) return std::unexpected(IndicatorError::invalid_parameter("mar must be finite"));
    return UpsidePotentialRatio(n, mar);
}

std::optional<double> UpsidePotentialRatio::step(double close) {
    if (const auto old = push_capped(window_, period_, close)) {
        const double d = *old - mar_;
        const double down = std::fmin(d, 0.0);
        up_sum_ = up_sum_ - std::fmax(d, 0.0);
        down_sq_sum_ = down_sq_sum_ - down * down;
    }
    const double d = close - mar_;
    const double down = std::fmin(d, 0.0);
    up_sum_ = std::fmax(d, 0.0) + up_sum_;
    down_sq_sum_ = down * down + down_sq_sum_;
    since_resum_ += 1;
    if (since_resum_ >= period_) {
        up_sum_ = -0.0;
        down_sq_sum_ = -0.0;
        for (double v : window_) {
            const double dv = v - mar_;
            const double dn = std::fmin(dv, 0.0);
            up_sum_ += std::fmax(dv, 0.0);
            down_sq_sum_ += dn * dn;
        }
        since_resum_ = 0;
    }
    if (window_.size() < period_) return std::nullopt;
    const double nf = static_cast<double>(period_);
    const double dv = down_sq_sum_ / nf;
    if (dv <= 0.0) return 0.0;
    return (up_sum_ / nf) / std::sqrt(dv);
}

}  // namespace torvex
