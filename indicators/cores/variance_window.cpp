#include "indicators/cores/variance_window.hpp"

namespace torvex {

std::expected<VarianceWindow, IndicatorError> VarianceWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VarianceWindow(n);
}

}  // namespace torvex
