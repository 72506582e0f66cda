// Ehlers' autocorrelation periodogram: the dominant cycle period of the roofing-
// filtered close, from the power spectrum of its three-bar autocorrelations.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/cores/fixed_ring.hpp"
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
    // The spectrum of the correlations, its peak and the answer.
    double spectrum();

    // A bar while the window holds values scaled by a power of two, or the filter
    // carries its sum: the close's change enters the filter in its states' units.
    [[gnu::noinline]] std::optional<double> careful_step(double close);
    // The correlations where a divisor has left the range in which its products keep
    // every digit (or is 0): a correlation does not depend on the scale of either
    // three-bar window, so each is brought to a largest value in [1, 2) first.
    [[gnu::noinline]] void careful_correlations();
    // The three values from `back` on (newest first) times the power of two that
    // brings the largest to [1, 2).
    void scaled_triple(std::uint64_t back, double out[3]) const;
    // Arms the filter to carry the sum its smoother reads where the newest three values,
    // in their own units, have fallen below RoofingCore::kCancel of the high-pass (a
    // market pinned between bid and ask); the bars go to careful_step from then on.
    [[gnu::noinline]] void arm_if_cancelling();
    // Settles the filter's group on its largest state.
    void settle();

    RoofingCore roofing_;  // high-pass max_period, super smoother 10
    MirroredWindow filtered_;  // the last max_period + 3 filtered values
    std::uint64_t span_;       // max_period + 3
    std::vector<double> corr_;     // per lag 0..max_period
    std::vector<double> power_;    // per period 0..max_period (below min_period unused)
    std::uint64_t min_period_;
    std::uint64_t max_period_;
    double peak_ = 0.0;
    std::vector<SinCos> table_;  // per period (outer) and lag 3..max_period (inner)
    // The filter's states: a run of repeated closes decays them by the high-pass
    // factor (about 0.877 a bar at 48), and the correlations' divisors, of degree 4,
    // would leave the double range long before they do. While the sum is carried, the
    // sum and the smoother's outputs.
    DecayScale scale_;
    // The group's exponent when each filtered value was pushed (each is held times 2^(it)),
    // read while careful_bars_ > 0; every value pushed before is in its own units.
    FixedRing<std::int64_t> exponents_;
    // Pushes left before the last value held scaled (or pushed while the sum was
    // carried) leaves the window.
    std::uint64_t careful_bars_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, AutocorrelationPeriodogram);

}  // namespace torvex
