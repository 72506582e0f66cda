// Jarque-Bera normality statistic of the last n closes, from the population
// skewness and excess kurtosis of the window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class JarqueBera final : public CloseIndicator<JarqueBera> {
public:
    // Zero period, then above MAX_PERIOD, then below 4 ("Jarque-Bera needs period >= 4").
    static std::expected<JarqueBera, IndicatorError> create(std::uint64_t n);

    // Recomputed from the window on every value; 0.0 for a window without spread.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit JarqueBera(std::uint64_t n) : window_(n), period_(n) {}

    std::optional<double> last_;
    FixedRing<double> window_;
    std::uint64_t period_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, JarqueBera);

}  // namespace torvex
