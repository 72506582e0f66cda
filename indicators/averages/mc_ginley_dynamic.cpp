#include "indicators/averages/mc_ginley_dynamic.hpp"

namespace torvex {

std::expected<McGinleyDynamic, IndicatorError> McGinleyDynamic::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return McGinleyDynamic(n);
}

double McGinleyDynamic::next(double value, double close) const {
    // The ratio is undefined for a close or an average not above zero: hold the value.
    if (!(close > 0.0 && value > 0.0)) return value;
    const double ratio = close / value;
    const double squared = ratio * ratio;
    const double next = value + (close - value) / (0.6 * static_cast<double>(period()) * (squared * squared));
    // After a sharp drop the fourth power is tiny and the step overshoots below zero;
    // held there, the value would never move again. Restart from the close instead.
    if (!(next > 0.0) || !is_finite(next)) return close;
    return next;
}

}  // namespace torvex
