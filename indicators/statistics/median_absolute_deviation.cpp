#include "indicators/statistics/median_absolute_deviation.hpp"

#include <span>

#include "indicators/numeric.hpp"

namespace torvex {

namespace {

// The middle value of an ascending run, or the midpoint of the two middle ones.
double sorted_median(std::span<const double> s) {
    const std::size_t m = s.size();
    if (m % 2 == 1) return s[m / 2];
    return midpoint(s[m / 2 - 1], s[m / 2]);
}

}  // namespace

MedianAbsoluteDeviation::MedianAbsoluteDeviation(SortedWindow window) : window_(std::move(window)) {
    deviations_.reserve(window_.capacity());
}

std::expected<MedianAbsoluteDeviation, IndicatorError> MedianAbsoluteDeviation::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return MedianAbsoluteDeviation(std::move(*window));
}

std::optional<double> MedianAbsoluteDeviation::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const double median = sorted_median(window_.sorted());
    SortedWindow::abs_deviations(window_.sorted(), median, deviations_);
    return sorted_median(deviations_);
}

}  // namespace torvex
