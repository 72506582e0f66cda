#include "indicators/cores/summed_window.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<SummedWindow, IndicatorError> SummedWindow::create(std::uint64_t n, std::uint64_t span) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SummedWindow(n, span);
}

void SummedWindow::count_update() {
    if (clock_.tick(outweighs_)) sum_ = window_sum(values_, -0.0);
    outweighs_ = false;
}

}  // namespace torvex
