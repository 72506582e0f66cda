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

    std::optional<double> step(double x) {
        // This bar's history: p0 = x, then the closes before it.
        const double p1 = p1_;
        const double p2 = p2_;
        const double p3 = p3_;
        const int earlier = closes_;
        const double smooth = earlier >= 3 ? (p3 + ((p2 + p2) + ((p1 + p1) + x))) / 6.0 : x;
        const double s1 = s1_;
        const double s2 = s2_;
        const int smooths_before = smooths_;

        double cycle;
        if (earlier >= 2 && smooths_before >= 2 && has_cycle_) {
            cycle = gains_.apply((smooth - 2.0 * s1) + s2, c1_, c2_);
        } else {
            const double q1 = earlier >= 1 ? p1 : x;
            const double q2 = earlier >= 2 ? p2 : x;
            cycle = ((x - 2.0 * q1) + q2) * 0.25;
        }

        p3_ = p2;
        p2_ = p1;
        p1_ = x;
        if (closes_ < 3) closes_ += 1;
        s2_ = s1;
        s1_ = smooth;
        if (smooths_ < 2) smooths_ += 1;
        c2_ = c1_;
        c1_ = cycle;
        has_cycle_ = true;
        return cycle;
    }
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
    [[maybe_unused]] std::uint64_t period_;
    double alpha_;
    TwoPoleGains gains_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, CyberneticCycle);

}  // namespace torvex
