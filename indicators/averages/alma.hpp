// Arnaud Legoux moving average: a Gaussian-weighted mean of the last n closes whose
// peak sits at a chosen offset inside the window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Alma final : public CloseIndicator<Alma> {
public:
    static std::expected<Alma, IndicatorError> create(std::uint64_t n, double offset, double sigma);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    Alma(std::vector<double> weights, std::uint64_t n) : weights_(std::move(weights)), window_(n), period_(n) {}

    std::vector<double> weights_;
    FixedRing<double> window_;
    std::uint64_t period_;
};

}  // namespace torvex
