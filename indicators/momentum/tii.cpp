#include "indicators/momentum/tii.hpp"

#include <algorithm>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Tii);

std::expected<Tii, IndicatorError> Tii::create(std::uint64_t n, std::uint64_t m) {
    if (n == 0 || m == 0) return std::unexpected(IndicatorError::zero_period());
    auto closes = VarianceWindow::create(n);
    if (!closes) return std::unexpected(closes.error());
    // m sizes the deviation window.
    if (auto ok = check_max_period(m); !ok) return std::unexpected(ok.error());
    return Tii(std::move(*closes), m);
}

void Tii::resum() {
    double pos = 0.0;
    double neg = 0.0;
    for (double d : deviations_) {
        if (d > 0.0) pos = d + pos;
        else if (d < 0.0) neg = neg - d;
    }
    pos_sum_ = pos;
    neg_sum_ = neg;
    settle_window(clock_, deviations_, window_len_, pos_sum_, neg_sum_);
}

std::optional<double> Tii::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    run_.push(x);
    if (!closes_.push(x)) return std::nullopt;
    const double dev = run_.covers(closes_.period()) ? 0.0 : closes_.deviation(x);
    if (const auto old = push_capped(deviations_, window_len_, dev)) {
        const double o = *old;
        if (o > 0.0) pos_sum_ = pos_sum_ - o;
        else if (o < 0.0) neg_sum_ = o + neg_sum_;
    }
    if (dev > 0.0) pos_sum_ = dev + pos_sum_;
    else if (dev < 0.0) neg_sum_ = neg_sum_ - dev;
    if (clock_.tick(pos_sum_, neg_sum_)) resum();
    if (deviations_.size() < window_len_) return std::nullopt;
    const double total = neg_sum_ + pos_sum_;
    if (total <= 0.0) return 50.0;
    const double v = (pos_sum_ * 100.0) / total;
    // Written so that a NaN (infinite sums) lands on 0.0 instead of passing through.
    return v >= 0.0 ? std::min(v, 100.0) : 0.0;
}

}  // namespace torvex
