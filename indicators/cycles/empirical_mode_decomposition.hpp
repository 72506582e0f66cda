// Trend of the empirical mode decomposition: the mean of the band-pass filtered
// close over two cycle lengths.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/cores/mirrored_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class EmpiricalModeDecomposition final : public CloseIndicator<EmpiricalModeDecomposition> {
public:
    // fraction: finite, in (0, 1].
    static std::expected<EmpiricalModeDecomposition, IndicatorError> create(std::uint64_t n, double fraction);

    std::optional<double> step(double close) {
        const double bp = bandpass_.step(close);
        if (const std::optional<double> old = window_.push(bp)) {
            sum_ = sum_ - *old;
            magnitude_ = magnitude_ - std::fabs(*old);
        }
        sum_ = sum_ + bp;
        magnitude_ = magnitude_ + std::fabs(bp);
        // Re-added from the window every 2n updates, and as soon as the window's size
        // has fallen far below its recent one: a huge value that has left the window would
        // otherwise keep the sum wrong. The band-pass swings about zero, so its sum is
        // watched through the magnitudes.
        if (clock_.tick(magnitude_)) {
            double s = 0.0;
            double m = 0.0;
            for (double v : window_.view()) {
                s += v;
                m += std::fabs(v);
            }
            sum_ = s;
            magnitude_ = m;
            clock_.settle(
                ResumClock::first_leaves(span_, window_.size()),
                [this](auto&& fn) {
                    for (double v : window_.view()) fn(v);
                },
                m);
        }
        if (accepted_ < 50) accepted_ += 1;
        if (!window_.full() || accepted_ < 50) return std::nullopt;
        return sum_ / static_cast<double>(span_);
    }
    std::uint64_t warmup() const override { return span_ > 50 ? span_ : 50; }

private:
    EmpiricalModeDecomposition(std::uint64_t n, double fraction, BandpassCore bandpass)
        : bandpass_(bandpass), window_(2 * n), span_(2 * n), fraction_(fraction), clock_(2 * n) {}

    BandpassCore bandpass_;
    MirroredWindow window_;  // the last 2n band-pass values
    std::uint64_t span_;         // 2n
    [[maybe_unused]] double fraction_;
    ResumClock clock_;
    double sum_ = 0.0;
    double magnitude_ = 0.0;  // Σ|v| over the window
    std::uint64_t accepted_ = 0;  // counted up to 50
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, EmpiricalModeDecomposition);

}  // namespace torvex
