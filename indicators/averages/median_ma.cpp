#include "indicators/averages/median_ma.hpp"

#include "indicators/numeric.hpp"

namespace torvex {

std::expected<MedianMa, IndicatorError> MedianMa::create(std::uint64_t n) {
    // The window's own zero message is not this indicator's: test the length first.
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return MedianMa(std::move(*window));
}

std::optional<double> MedianMa::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const auto s = window_.sorted();
    const std::size_t mid = s.size() / 2;
    if (s.size() % 2 == 1) return s[mid];
    return midpoint(s[mid - 1], s[mid]);
}

}  // namespace torvex
