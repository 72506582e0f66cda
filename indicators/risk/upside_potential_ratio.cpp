#include "indicators/risk/upside_potential_ratio.hpp"

#include <cmath>

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
    if (const auto old = window_.push(close)) {
        const double d = *old - mar_;
        const double down = min_num(d, 0.0);
        up_sum_ = up_sum_ - max_num(d, 0.0);
        down_sq_sum_ = down_sq_sum_ - down * down;
        if (d < 0.0) below_ -= 1;
    }
    const double d = close - mar_;
    const double down = min_num(d, 0.0);
    up_sum_ = max_num(d, 0.0) + up_sum_;
    down_sq_sum_ = down * down + down_sq_sum_;
    if (d < 0.0) below_ += 1;
    if (clock_.tick(up_sum_, down_sq_sum_)) {
        up_sum_ = -0.0;
        down_sq_sum_ = -0.0;
        window_.for_each([this](double v) {
            const double dv = v - mar_;
            const double dn = min_num(dv, 0.0);
            up_sum_ += max_num(dv, 0.0);
            down_sq_sum_ += dn * dn;
        });
    }
    if (!window_.full()) return std::nullopt;
    const double nf = static_cast<double>(window_.capacity());
    // No downside is told by the count: the running sum of squares can keep a
    // rounding residue after the last return below mar has left.
    if (below_ == 0) return 0.0;
    const double dv = down_sq_sum_ / nf;
    if (dv <= 0.0) return 0.0;
    return (up_sum_ / nf) / std::sqrt(dv);
}

}  // namespace torvex
