#include "indicators/cores/variance_window.hpp"

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
        sums_.recenter(window_.size(), [this](const auto& fn) { window_.for_each(fn); });
    }
    return window_.size() == period_;
}

}  // namespace torvex
