// Schaff trend cycle: a stochastic of the fast/slow average gap, smoothed, and a
// stochastic of that, smoothed again; 0..100.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Stc final : public CloseIndicator<Stc> {
public:
    // fast < slow; cycle: the stochastic window; factor in (0, 1]: the smoothing.
    static std::expected<Stc, IndicatorError> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t cycle,
                                                     double factor);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return slow_.period() + 2 * cycle_ - 2; }

private:
    Stc(std::uint64_t fast, std::uint64_t slow, std::uint64_t cycle, double factor)
        : macd_window_(cycle), k_window_(cycle), fast_(fast), slow_(slow), cycle_(cycle), factor_(factor) {}

    // Position of v within the window's range in percent; 0.0 for a flat window.
    static double stochastic(const FixedRing<double>& window, double v);
    // Where v lies between lo and hi, in percent; 0 for an empty range.
    static double percent_within(double lo, double hi, double v) {
        return hi > lo ? ((v - lo) * 100.0) / (hi - lo) : 0.0;
    }
    // The first value passes unchanged; later ones move from the last by `factor`.
    double smooth(std::optional<double>& last, double x) const;
    // The smoothed percentage k of a bar whose MACD is m and percentage `percent`:
    // exactly 100 where exact arithmetic has it so.
    [[gnu::noinline]] double settle_top(bool at_top, double percent, double k);

    std::optional<double> k_smoothed_;
    std::optional<double> stc_;
    // Whether the smoothed percentage is exactly 100 in exact arithmetic: every bar
    // since it began (or, with factor 1, this bar) closed at the MACD window's top.
    // True before the first, which the line takes whole.
    bool full_top_ = true;
    // Whether the line can still be held at 100: false for good once a bar breaks
    // the run, unless the factor is 1.
    bool tracking_tops_ = true;
    FixedRing<double> macd_window_;
    FixedRing<double> k_window_;
    SeededEma fast_;
    SeededEma slow_;
    std::uint64_t cycle_;
    double factor_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Stc);

}  // namespace torvex
