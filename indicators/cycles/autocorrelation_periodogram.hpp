// Ehlers' autocorrelation periodogram: the dominant cycle period of the roofing-
// filtered close, from the power spectrum of its three-bar autocorrelations.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/cores/hilbert_core.hpp"
#include "indicators/cores/mirrored_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AutocorrelationPeriodogram final : public CloseIndicator<AutocorrelationPeriodogram> {
public:
    // 4 <= min_period < max_period, max_period above 10 and at most MAX_PERIOD.
    static std::expected<AutocorrelationPeriodogram, IndicatorError> create(std::uint64_t min_period,
                                                                            std::uint64_t max_period);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return max_period_ + 3; }

    // Whether the cosines and sines are kept in a table (small ranges) or computed per bar.
    bool has_table() const { return !table_.empty(); }

private:
    AutocorrelationPeriodogram(std::uint64_t min_period, std::uint64_t max_period);

    // The angle of lag j at period p, as both the table and the per-bar path use it.
    static double angle(std::uint64_t j, std::uint64_t p);

    // The filtered value `back` bars before the newest (back < max_period + 3).
    double filtered(std::uint64_t back) const { return filtered_.view()[span_ - 1 - back]; }

    // Smooths the power of period p from its sums and raises the peak to it.
    void add_power(std::uint64_t p, double cos_part, double sin_part);

    RoofingCore roofing_;  // high-pass max_period, super smoother 10
    MirroredWindow filtered_;  // the last max_period + 3 filtered values
    std::uint64_t span_;       // max_period + 3
    std::vector<double> corr_;     // per lag 0..max_period
    std::vector<double> power_;    // per period 0..max_period (below min_period unused)
    std::uint64_t min_period_;
    std::uint64_t max_period_;
    double peak_ = 0.0;
    std::vector<SinCos> table_;  // per period (outer) and lag 3..max_period (inner)
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, AutocorrelationPeriodogram);

}  // namespace torvex
