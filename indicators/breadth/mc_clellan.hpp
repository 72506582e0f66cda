// The McClellan oscillator and summation index: exponential averages (weights 0.1
// and 0.05) of the net advances as a share of the issues that moved, in per mille,
// seeded with the first bar.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/breadth/breadth_feed.hpp"

namespace torvex {

// Fast less slow average after feeding one panel.
class McClellanCore {
public:
    double step(const CrossSection& panel) {
        const BreadthCounts c = count_breadth(panel);
        const double x = net_advances(c) / at_least_one(c.advances + c.declines) * 1000.0;
        if (!seeded_) {
            fast_ = x;
            slow_ = x;
            seeded_ = true;
        } else {
            fast_ += (x - fast_) * 0.1;
            slow_ += (x - slow_) * 0.05;
        }
        return fast_ - slow_;
    }

private:
    double fast_ = 0.0;
    double slow_ = 0.0;
    bool seeded_ = false;
};

class McClellanOscillator final : public BreadthIndicator<McClellanOscillator> {
public:
    static std::expected<McClellanOscillator, IndicatorError> create() { return McClellanOscillator(); }

    std::optional<double> step(const CrossSection& panel) { return core_.step(panel); }
    std::uint64_t warmup() const override { return 1; }

private:
    McClellanOscillator() = default;

    McClellanCore core_;
};

class McClellanSummationIndex final : public BreadthIndicator<McClellanSummationIndex> {
public:
    static std::expected<McClellanSummationIndex, IndicatorError> create() { return McClellanSummationIndex(); }

    std::optional<double> step(const CrossSection& panel) {
        sum_ += core_.step(panel);
        return sum_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    McClellanSummationIndex() = default;

    McClellanCore core_;
    double sum_ = 0.0;
};

}  // namespace torvex
