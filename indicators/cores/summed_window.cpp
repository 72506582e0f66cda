#include "indicators/cores/summed_window.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<SummedWindow, IndicatorError> SummedWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SummedWindow(n);
}

void SummedWindow::count_update() {
    since_resum_ += 1;
    if (since_resum_ >= period_) {
        sum_ = window_sum(values_, -0.0);
        since_resum_ = 0;
    }
}

}  // namespace torvex
