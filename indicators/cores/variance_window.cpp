#include "indicators/cores/variance_window.hpp"

#include <cmath>

namespace torvex {

std::expected<VarianceWindow, IndicatorError> VarianceWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VarianceWindow(n);
}

bool VarianceWindow::push(double x) {
    if (window_.size() == period_) {
        sums_.remove(window_.front());
        window_.pop_front();
    }
    window_.push_back(x);
    sums_.add(x);
    if (sums_.recenter_due(period_)) {
        sums_.recenter(window_.size(), [this](const auto& fn) {
            for (double v : window_) fn(v);
        });
    }
    return window_.size() == period_;
}

double VarianceWindow::sample_variance() const {
    const double nf = static_cast<double>(period_);
    const double m = sums_.s1() / nf;
    const double var = std::fma(nf, -(m * m), sums_.s2()) / (nf - 1.0);
    return (var >= 0.0) ? var : 0.0;
}

}  // namespace torvex
