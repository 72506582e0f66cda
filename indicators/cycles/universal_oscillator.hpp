// Ehlers' universal oscillator: the super-smoothed half difference of the close over
// two bars under automatic gain control, on [−1, 1].
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

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
        const double f = smoother_.step(w);
        const double peak = std::fmax(std::fabs(f), 0.991 * peak_);
        peak_ = std::isnan(peak) ? std::fabs(f) : peak;
        const double answer = peak_ <= 0.0 ? 0.0 : std::fmin(std::fmax(f / peak_, -1.0), 1.0);
        last_ = answer;
        return answer;
    }
    std::uint64_t warmup() const override { return 3; }

private:
    explicit UniversalOscillator(std::uint64_t band_edge)
        : smoother_(static_cast<double>(band_edge)), band_edge_(band_edge) {}

    SuperSmootherCore smoother_;
    double close1_ = 0.0;  // the close before, once seen_ >= 1
    double close2_ = 0.0;  // the one before that, once seen_ == 2
    int seen_ = 0;         // closes taken, up to 2
    std::optional<double> last_;
    [[maybe_unused]] std::uint64_t band_edge_;
    double peak_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, UniversalOscillator);

}  // namespace torvex
