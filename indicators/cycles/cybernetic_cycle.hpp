// Ehlers' cybernetic cycle: a two-pole high-pass of the four-bar smoothed close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class CyberneticCycle final : public CloseIndicator<CyberneticCycle> {
public:
    static std::expected<CyberneticCycle, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 1; }

private:
    explicit CyberneticCycle(std::uint64_t n);

    // Closes p1..p3 and smoothed values s1, s2 before this bar; `closes_` and
    // `smooths_` count how many of them exist (up to 3 and 2).
    double p1_ = 0.0;
    double p2_ = 0.0;
    double p3_ = 0.0;
    int closes_ = 0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    int smooths_ = 0;
    double c1_ = 0.0;
    double c2_ = 0.0;  // 0.0 until a second cycle value exists
    bool has_cycle_ = false;
    std::uint64_t period_;
    double alpha_;
    TwoPoleGains gains_;
};

}  // namespace torvex
