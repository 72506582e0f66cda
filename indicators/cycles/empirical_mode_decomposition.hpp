// Trend of the empirical mode decomposition: the mean of the band-pass filtered
// close over two cycle lengths.
#pragma once

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
    // fraction: finite, in (0, 1]; then period 3 at least (the band-pass poles).
    static std::expected<EmpiricalModeDecomposition, IndicatorError> create(std::uint64_t n, double fraction);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return span_ > 50 ? span_ : 50; }

private:
    EmpiricalModeDecomposition(std::uint64_t n, double fraction, BandpassCore bandpass)
        : bandpass_(bandpass), window_(2 * n), span_(2 * n), fraction_(fraction), clock_(2 * n) {}

    BandpassCore bandpass_;
    MirroredWindow window_;  // the last 2n band-pass values
    std::uint64_t span_;         // 2n
    double fraction_;
    ResumClock clock_;
    double sum_ = 0.0;
    double magnitude_ = 0.0;  // Σ|v| over the window
    std::uint64_t accepted_ = 0;  // counted up to 50
};

}  // namespace torvex
