// The body shared by Ehlers' reflex and trendflex oscillators: the close through a
// super smoother of half the period, the last n + 1 smoothed values, and a window
// statistic divided by the root of its own running mean square.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/cores/mirrored_window.hpp"

namespace torvex {

class RmsNormalisedWindow {
public:
    // n checked by the owner (1..MAX_PERIOD); the smoother's length is n·0.5.
    explicit RmsNormalisedWindow(std::uint64_t n)
        : smoother_(static_cast<double>(n) * 0.5), window_(n + 1), period_(n) {}

    // Smooths x into the window; once it holds n + 1 values, s = stat(window) (a span,
    // oldest first, the newest at the back), mean_square = 0.96·mean_square + (0.04·s)·s,
    // and the answer is s/√mean_square, or 0.0 while mean_square is not above 0.
    template <class Stat>
    std::optional<double> step(double x, Stat stat) {
        const double f = smoother_.step(x);
        window_.push(f);
        if (!window_.full()) return std::nullopt;
        const double s = stat(window_.view());
        mean_square_ = 0.96 * mean_square_ + (0.04 * s) * s;
        if (!(mean_square_ > 0.0)) return 0.0;
        return s / std::sqrt(mean_square_);
    }

    std::uint64_t period() const { return period_; }

private:
    SuperSmootherCore smoother_;
    MirroredWindow window_;
    std::uint64_t period_;
    double mean_square_ = 0.0;
};

}  // namespace torvex
