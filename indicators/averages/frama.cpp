#include "indicators/averages/frama.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Frama);

std::expected<Frama, IndicatorError> Frama::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("FRAMA period must be at least 2"));
    if (n % 2 != 0) return std::unexpected(IndicatorError::invalid_period("FRAMA period must be even"));
    return Frama(n);
}

namespace {

struct Range {
    double hi;
    double lo;
    void take(double v) {
        if (v > hi) hi = v;
        if (v < lo) lo = v;
    }
};

}  // namespace

std::optional<double> Frama::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;

    Range all{window_[0], window_[0]};
    Range first{window_[0], window_[0]};
    Range second{window_[half_], window_[half_]};
    for (std::uint64_t i = 0; i < period_; ++i) {
        const double v = window_[i];
        all.take(v);
        if (i < half_) first.take(v);
        else second.take(v);
    }
    const double half = static_cast<double>(half_);
    const double n1 = (first.hi - first.lo) / half;
    const double n2 = (second.hi - second.lo) / half;
    const double n3 = (all.hi - all.lo) / static_cast<double>(period_);

    double alpha = 0.01;
    if (n3 > 0.0 && n1 > 0.0 && n2 > 0.0) {
        const double dimension = (std::log(n1 + n2) - std::log(n3)) / 0.6931471805599453;
        alpha = std::exp(-4.6 * (dimension - 1.0));
        // Ranges so wide that they overflow make the dimension NaN; such a window
        // takes the same slow fallback as a flat one rather than poisoning the value.
        if (!(alpha >= 0.01)) alpha = 0.01;
        if (alpha > 1.0) alpha = 1.0;
    }
    const double prev = last_.value_or(close);
    const double value = (1.0 - alpha) * prev + close * alpha;
    last_ = value;
    return value;
}

}  // namespace torvex
