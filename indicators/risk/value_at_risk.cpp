#include "indicators/risk/value_at_risk.hpp"

#include <cmath>

#include "indicators/numeric.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, ValueAtRisk);

ValueAtRisk::ValueAtRisk(SortedWindow window, double c)
    : window_(std::move(window)),
      confidence_(c),
      pos_((1.0 - c) * static_cast<double>(window_.capacity() - 1)),
      lo_(saturating_u64(std::floor(pos_))),
      hi_(saturating_u64(std::ceil(pos_))) {}

std::expected<ValueAtRisk, IndicatorError> ValueAtRisk::create(std::uint64_t n, double c) {
    if (auto ok = check_min_period(n, 2, "value-at-risk needs period >= 2"); !ok) return std::unexpected(ok.error());
    if (auto ok = check_confidence(c); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return ValueAtRisk(std::move(*window), c);
}

std::optional<double> ValueAtRisk::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const double low = window_.at(lo_);
    double q = low;
    if (lo_ != hi_) q = (window_.at(hi_) - low) * (pos_ - static_cast<double>(lo_)) + low;
    return max_skipping_nan(-q, 0.0);
}

}  // namespace torvex
