// Z-score of the log spread ln close − beta·ln reference, where beta is fitted over
// the last `beta_period` bars and the score is taken over the last `z_period` spreads.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <memory>
#include <optional>
#include <vector>

#include "indicators/cores/anchored_pair_window.hpp"
#include "indicators/cores/variance_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class PairSpreadZScore final : public PairIndicator<PairSpreadZScore, PairDomain::Positive> {
public:
    static std::expected<PairSpreadZScore, IndicatorError> create(std::uint64_t beta_period, std::uint64_t z_period);

    std::optional<double> step(double a, double b);
    std::uint64_t warmup() const override { return logs_.period() + spreads_.period() - 1; }

private:
    // The largest of the last w values pushed (0.0 before any), in O(1) a push: the
    // stream is cut into blocks of w; the window is a tail of the previous block,
    // whose suffix maxima are taken once as it closes, and a head of the current
    // one, whose running maximum is kept. Exact: values are only compared.
    class WindowMax {
    public:
        explicit WindowMax(std::uint64_t w) : values_(w), suffix_(w + 1, 0.0), w_(w) {}
        double push(double v) {
            const std::size_t k = at_;
            values_[k] = v;
            head_ = std::max(head_, v);
            const double largest = std::max(suffix_[k + 1], head_);
            if (++at_ == w_) {
                for (std::size_t j = w_; j-- > 0;) suffix_[j] = std::max(values_[j], suffix_[j + 1]);
                at_ = 0;
                head_ = 0.0;
            }
            return largest;
        }
        // The value pushed k pushes ago (k < w).
        double recent(std::size_t k) const { return values_[(at_ + w_ - 1 - k) % w_]; }
        // As new, keeping the storage.
        void clear() {
            std::fill(suffix_.begin(), suffix_.end(), 0.0);
            at_ = 0;
            head_ = 0.0;
        }

    private:
        std::vector<double> values_;
        std::vector<double> suffix_;  // suffix_[w] stays 0.0
        std::size_t w_;
        std::size_t at_ = 0;
        double head_ = 0.0;
    };

    // A bar's prices.
    struct Bar {
        double a;
        double b;
    };

    PairSpreadZScore(std::uint64_t beta_period, std::uint64_t z_period, VarianceWindow spreads)
        : logs_(beta_period),
          spreads_(std::move(spreads)),
          fit_noise_(z_period),
          bars_(std::make_unique_for_overwrite<Bar[]>(beta_period + z_period - 1)),
          bar_count_(beta_period + z_period - 1),
          near_(beta_period),
          near_noise_(z_period),
          root_n_(std::sqrt(static_cast<double>(beta_period))),
          moment_rounding_(4.0 * (static_cast<double>(beta_period) + 4.0)) {}

    // A bound on how far this bar's spread, taken in doubles, lies from the spread of
    // the exact logarithms of the same prices with the slope those exact logs fit.
    [[gnu::always_inline]] inline double spread_rounding(const PairMoments& m, double beta, double log_close,
                                                         double log_ref) const;

    // A window of spreads within the largest bound above is taken again with the
    // rounding those spreads really carry (see near_). Out of line: a window of
    // real moves is far above that bound.
    [[gnu::noinline]] bool flat_within_carried_rounding(double sd);
    // Starts near_ over the bars held, which give the whole spread window.
    void start_near();
    // near_ takes a bar in; once full, the carried bound of the bar's spread z is
    // pushed.
    void near_push(const Bar& bar, double z, double fit_bound);
    // A bar of the windows: near_ takes it in while kept, counting down.
    [[gnu::noinline]] void near_step(const Bar& bar, double z, double fit_bound);
    // How far spread z lies from the spread of the exact logs, from near_'s slope
    // (at most fit_bound, the worst case above).
    double carried_rounding(double z, double log_close, double log_ref, double fit_bound) const;

    AnchoredPairWindow logs_;  // (ln reference, ln close)
    VarianceWindow spreads_;
    // The largest rounding that a hedge fit carried into a spread of the window.
    WindowMax fit_noise_;
    // Every bar that a spread of the window was fitted over, in a circle: the
    // oldest at bar_at_ once it has gone round (a full spread window has).
    std::unique_ptr<Bar[]> bars_;  // pages touched only as they fill
    std::size_t bar_count_;
    std::size_t bar_at_ = 0;
    // While windows near flat come, the hedge window is kept again in logs relative
    // to a price of its own, (ln(b/b0), ln(a/a0)): these carry their rounding
    // relative to the small moves, not to the log levels, so the slope they fit is
    // nearly exact, and how far the slope the spread took lies from it is its real
    // rounding. Kept for bars_'s length after the last such window, so that
    // starting it over the bars held costs O(1) a bar over that time.
    AnchoredPairWindow near_;
    WindowMax near_noise_;   // the carried bounds of the spread window
    double near_largest_ = 0.0;
    double near_a_ = 0.0;    // the prices a0, b0
    double near_b_ = 0.0;
    std::uint64_t near_left_ = 0;  // bars it is kept for yet; 0: not kept
    std::uint64_t near_far_ = 0;   // pushes until a stand-in pair has left near_
    double root_n_;           // √beta_period
    double moment_rounding_;  // 4(beta_period + 4)
};

}  // namespace torvex
