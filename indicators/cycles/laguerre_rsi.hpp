// Ehlers' Laguerre RSI: the up and down steps between the four stages of a Laguerre
// filter of the close, as a percentage.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class LaguerreRsi final : public CloseIndicator<LaguerreRsi> {
public:
    // gamma finite in [0, 1], else InvalidPeriod.
    static std::expected<LaguerreRsi, IndicatorError> create(double gamma);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 1; }

private:
    explicit LaguerreRsi(double gamma) : gamma_(gamma), one_minus_gamma_(1.0 - gamma) {}

    double gamma_;
    double one_minus_gamma_;
    double l0_ = 0.0;
    double l1_ = 0.0;
    double l2_ = 0.0;
    double l3_ = 0.0;
    bool started_ = false;
};

}  // namespace torvex
