#include "indicators/cores/summed_window.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<SummedWindow, IndicatorError> SummedWindow::create(std::uint64_t n, std::uint64_t span) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SummedWindow(n, span);
}

void SummedWindow::resum() {
    sum_ = window_sum(values_, -0.0);
    magnitude_ = window_magnitude(values_);
    settle_window(clock_, values_, period_, magnitude_);
}

}  // namespace torvex
