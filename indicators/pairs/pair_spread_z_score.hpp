// Z-score of the log spread ln close − beta·ln reference, where beta is fitted over
// the last `beta_period` bars and the score is taken over the last `z_period` spreads.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
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
        explicit WindowMax(std::uint64_t w) : values_(w), suffix_(w + 1, 0.0) {}
        double push(double v) {
            const std::size_t k = at_;
            values_[k] = v;
            head_ = std::max(head_, v);
            const double largest = std::max(suffix_[k + 1], head_);
            if (++at_ == values_.size()) {
                for (std::size_t j = values_.size(); j-- > 0;) suffix_[j] = std::max(values_[j], suffix_[j + 1]);
                at_ = 0;
                head_ = 0.0;
            }
            return largest;
        }

    private:
        std::vector<double> values_;
        std::vector<double> suffix_;  // suffix_[w] stays 0.0
        std::size_t at_ = 0;
        double head_ = 0.0;
    };

    PairSpreadZScore(std::uint64_t beta_period, std::uint64_t z_period, VarianceWindow spreads)
        : logs_(beta_period),
          spreads_(std::move(spreads)),
          fit_noise_(z_period),
          root_n_(std::sqrt(static_cast<double>(beta_period))),
          moment_rounding_(4.0 * (static_cast<double>(beta_period) + 4.0)) {}

    // A bound on how far this bar's spread, taken in doubles, lies from the spread of
    // the exact logarithms of the same prices with the slope those exact logs fit.
    [[gnu::always_inline]] inline double spread_rounding(const PairMoments& m, double beta, double log_close,
                                                         double log_ref) const;

    AnchoredPairWindow logs_;  // (ln reference, ln close)
    VarianceWindow spreads_;
    // The largest rounding that a hedge fit carried into a spread of the window.
    WindowMax fit_noise_;
    double root_n_;           // √beta_period
    double moment_rounding_;  // 4(beta_period + 4)
};

}  // namespace torvex
