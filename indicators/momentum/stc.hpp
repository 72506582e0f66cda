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

    // The first value passes unchanged; later ones move from the last by `factor`.
    double smooth(std::optional<double>& last, double x) const;
    // Follows whether the smoothed line is exactly 100, after a bar that is (`top`)
    // or is not at its window's top.
    [[gnu::noinline]] void track_full_top(bool top);
    // The percentage of a MACD window that is flat in doubles: 100 where it follows a
    // run of tops, 0 otherwise.
    [[gnu::noinline]] double flat_macd_percent();
    // The second stochastic of a k window that is flat in doubles: 100 where exact
    // arithmetic has the window rising to k, 0 otherwise.
    [[gnu::noinline]] double flat_k_percent() const;

    std::optional<double> k_smoothed_;
    std::optional<double> stc_;
    // Whether the smoothed percentage is exactly 100 in exact arithmetic: every bar
    // since it began (or, with factor 1, this bar) closed at the MACD window's top.
    // True before the first, which the line takes whole.
    bool full_top_ = true;
    // Whether the line can still be exactly 100: false for good once a bar breaks
    // the run, unless the factor is 1.
    bool tracking_tops_ = true;
    // How many bars in a row, up to this one, had their MACD at the top of a window
    // with a range, or of a window stalled by a halt right after such a bar (percentage
    // exactly 100). While the line is below 100, each such bar
    // lifts it strictly in exact arithmetic, however little the doubles move.
    std::uint64_t top_run_ = 0;
    FixedRing<double> macd_window_;
    FixedRing<double> k_window_;
    SeededEma fast_;
    SeededEma slow_;
    std::uint64_t cycle_;
    double factor_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Stc);

}  // namespace torvex
