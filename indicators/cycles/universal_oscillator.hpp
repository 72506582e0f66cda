// Ehlers' universal oscillator: the super-smoothed half difference of the close over
// two bars under automatic gain control, on [−1, 1].
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class UniversalOscillator final : public CloseIndicator<UniversalOscillator> {
public:
    static std::expected<UniversalOscillator, IndicatorError> create(std::uint64_t band_edge);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 3; }

private:
    explicit UniversalOscillator(std::uint64_t band_edge)
        : smoother_(static_cast<double>(band_edge)), band_edge_(band_edge) {}

    SuperSmootherCore smoother_;
    std::optional<double> close1_;
    std::optional<double> close2_;
    std::optional<double> last_;
    std::uint64_t band_edge_;
    double peak_ = 0.0;
};

}  // namespace torvex
