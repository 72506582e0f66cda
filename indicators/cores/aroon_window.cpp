#include "indicators/cores/aroon_window.hpp"

namespace torvex {

std::expected<AroonWindow, IndicatorError> AroonWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AroonWindow(n);
}

}  // namespace torvex
