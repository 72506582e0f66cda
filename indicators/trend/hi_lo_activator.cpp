#include "indicators/trend/hi_lo_activator.hpp"

namespace torvex {

std::expected<HiLoActivator, IndicatorError> HiLoActivator::create(std::uint64_t n) {
    auto highs = SummedWindow::create(n);
    if (!highs) return std::unexpected(highs.error());
    auto lows = SummedWindow::create(n);
    if (!lows) return std::unexpected(lows.error());
    return HiLoActivator(std::move(*highs), std::move(*lows));
}

}  // namespace torvex
