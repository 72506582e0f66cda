// Modigliani risk-adjusted return: the Sharpe ratio scaled to a benchmark's
// volatility, plus the risk-free rate.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/variance_window.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {

class M2Measure final : public CloseIndicator<M2Measure> {
public:
    // n below 2: InvalidPeriod "m2 measure needs period >= 2"; M; then risk_free
    // finite and benchmark_stddev finite and not negative, else InvalidParameter
    // "risk_free must be finite and benchmark_stddev finite and non-negative".
    static std::expected<M2Measure, IndicatorError> create(std::uint64_t n, double risk_free,
                                                           double benchmark_stddev);

    // (mean − rf) / σ · benchmark σ + rf with the sample σ; 0.0 for a zero variance.
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        const double var = window_.sample_variance();
        if (var == 0.0) return 0.0;
        return (window_.mean() - risk_free_) / std::sqrt(var) * benchmark_stddev_ + risk_free_;
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    M2Measure(VarianceWindow window, double risk_free, double benchmark_stddev)
        : window_(std::move(window)), risk_free_(risk_free), benchmark_stddev_(benchmark_stddev) {}

    VarianceWindow window_;
    double risk_free_;
    double benchmark_stddev_;
};

}  // namespace torvex
