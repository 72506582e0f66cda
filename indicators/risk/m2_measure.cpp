#include "indicators/risk/m2_measure.hpp"

namespace torvex {

std::expected<M2Measure, IndicatorError> M2Measure::create(std::uint64_t n, double risk_free,
                                                           double benchmark_stddev) {
    if (auto ok = check_min_period(n, 2, "m2 measure needs period >= 2"); !ok) return std::unexpected(ok.error());
    if (!std::isfinite(risk_free) || !std::isfinite(benchmark_stddev) || !(benchmark_stddev >= 0.0)) {
        return std::unexpected(IndicatorError::invalid_parameter(
            "risk_free must be finite and benchmark_stddev finite and non-negative"));
    }
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return M2Measure(std::move(*window), risk_free, benchmark_stddev);
}

}  // namespace torvex
