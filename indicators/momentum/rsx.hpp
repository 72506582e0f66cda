// Smoothed relative strength: the one-bar change and its magnitude each run through
// a cascade of three double exponential filters, and their ratio is mapped to 0..100.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class Rsx final : public CloseIndicator<Rsx> {
public:
    static std::expected<Rsx, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    // Six filter stages; two chained single poles, each pair feeding the next through
    // the 1.5/-0.5 lag-cancelling blend. Returns the blend of the last pair.
    struct Cascade {
        double s1 = 0.0, s2 = 0.0, s3 = 0.0, s4 = 0.0, s5 = 0.0, s6 = 0.0;
        double step(double x, double alpha, double beta);
    };

    Rsx(std::uint64_t n, double alpha) : period_(n), alpha_(alpha), beta_(1.0 - alpha) {}

    std::optional<double> prev_;
    std::uint64_t period_;
    double alpha_;
    double beta_;
    std::uint64_t updates_ = 0;
    Cascade momentum_;
    Cascade magnitude_;
};

}  // namespace torvex
