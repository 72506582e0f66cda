#include "indicators/risk/conditional_value_at_risk.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/numeric.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, ConditionalValueAtRisk);

ConditionalValueAtRisk::ConditionalValueAtRisk(SortedWindow window, double c)
    : window_(std::move(window)),
      confidence_(c),
      tail_count_(std::max<std::uint64_t>(
          saturating_u64(std::floor(static_cast<double>(window_.capacity()) * (1.0 - c))), 1)) {}

std::expected<ConditionalValueAtRisk, IndicatorError> ConditionalValueAtRisk::create(std::uint64_t n, double c) {
    if (auto ok = check_min_period(n, 2, "conditional value-at-risk needs period >= 2"); !ok) {
        return std::unexpected(ok.error());
    }
    if (auto ok = check_confidence(c); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return ConditionalValueAtRisk(std::move(*window), c);
}

std::optional<double> ConditionalValueAtRisk::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    double sum = -0.0;
    window_.for_each_sorted(0, tail_count_, [&sum](double v) { sum += v; });
    return max_skipping_nan(-sum / static_cast<double>(tail_count_), 0.0);
}

}  // namespace torvex
