// Coefficient of variation of the last n closes: population standard deviation over
// the mean (a fraction; negative for a negative mean).
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class CoefficientOfVariation final : public CloseIndicator<CoefficientOfVariation> {
public:
    static std::expected<CoefficientOfVariation, IndicatorError> create(std::uint64_t n);

    // 0.0 for a window whose mean is zero.
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        // Both from one packed division (the same bits as mean() and variance()).
        const ShiftedSums::Moments m = window_.moments();
        if (m.mean == 0.0) return 0.0;
        return std::sqrt(m.variance) / m.mean;
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit CoefficientOfVariation(VarianceWindow window) : window_(std::move(window)) {}
    VarianceWindow window_;
};

}  // namespace torvex
