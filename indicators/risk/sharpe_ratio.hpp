// Mean excess return over the sample standard deviation of the last n returns.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/variance_window.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {

class SharpeRatio final : public CloseIndicator<SharpeRatio> {
public:
    // n below 2: InvalidPeriod "sharpe ratio needs period >= 2"; then M. The
    // risk-free rate is kept as given.
    static std::expected<SharpeRatio, IndicatorError> create(std::uint64_t n, double risk_free);

    // (mean − risk_free) / √(sample variance); 0.0 for a zero variance.
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        const double var = window_.sample_variance();
        if (var == 0.0) return 0.0;
        return (window_.mean() - risk_free_) / std::sqrt(var);
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    SharpeRatio(VarianceWindow window, double risk_free) : window_(std::move(window)), risk_free_(risk_free) {}

    VarianceWindow window_;
    double risk_free_;
};

}  // namespace torvex
