// Ehlers' universal oscillator: the super-smoothed half difference of the close over
// two bars under automatic gain control, on [−1, 1].
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class UniversalOscillator final : public CloseIndicator<UniversalOscillator> {
public:
    static std::expected<UniversalOscillator, IndicatorError> create(std::uint64_t band_edge);

    // The two closes before are plain values with a count of the closes seen: an
    // optional copied whole from one just stored would wait for that store to reach
    // the cache, on every bar.
    std::optional<double> step(double close) {
        if (seen_ < 2) {
            close2_ = close1_;
            close1_ = close;
            seen_ += 1;
            return std::nullopt;
        }
        const double w = (close - close2_) * 0.5;
        close2_ = close1_;
        close1_ = close;
        if (!std::isfinite(w)) return last_;
        if (scale_.active()) [[unlikely]] return careful_step(w);
        const double f = smoother_.step(w);
        const double peak = std::fmax(std::fabs(f), 0.991 * peak_);
        peak_ = std::isnan(peak) ? std::fabs(f) : peak;
        if (!(peak_ >= DecayScale::kLow)) [[unlikely]] return careful_answer();
        return answer(f);
    }
    std::uint64_t warmup() const override { return 3; }

private:
    double answer(double f) {
        const double a = std::fmin(std::fmax(f / peak_, -1.0), 1.0);
        last_ = a;
        return a;
    }
    // A flat run decays the filter's memory and the peak alike (the peak by 0.991 a
    // bar, the filter faster): in exact arithmetic neither reaches 0, and the answer
    // goes on falling toward 0 as their quotient does. Once the peak falls below
    // DecayScale::kLow, the memory and the peak are held times a power of two, and
    // these steps take the bars; a peak of 0 (no move yet) answers 0.
    [[gnu::noinline]] double careful_answer();
    [[gnu::noinline]] double careful_step(double w);

    explicit UniversalOscillator(std::uint64_t band_edge)
        : smoother_(static_cast<double>(band_edge)), band_edge_(band_edge) {}

    SuperSmootherCore smoother_;
    double close1_ = 0.0;  // the close before, once seen_ >= 1
    double close2_ = 0.0;  // the one before that, once seen_ == 2
    int seen_ = 0;         // closes taken, up to 2
    std::optional<double> last_;
    [[maybe_unused]] std::uint64_t band_edge_;
    double peak_ = 0.0;
    DecayScale scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, UniversalOscillator);

}  // namespace torvex
