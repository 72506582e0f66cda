#include "indicators/averages/alma.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

namespace {

// With a very large sigma the Gaussian's width underflows and every weight comes out
// as NaN (0/0 at the peak) or 0; the normalised limit of a vanishing width is all
// weight on the position(s) nearest the peak, shared equally.
void concentrate_at_peak(std::vector<double>& w, double m) {
    double nearest = INFINITY;
    for (std::size_t i = 0; i < w.size(); ++i) nearest = std::fmin(nearest, std::fabs(static_cast<double>(i) - m));
    double ties = 0.0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        w[i] = std::fabs(static_cast<double>(i) - m) == nearest ? 1.0 : 0.0;
        ties += w[i];
    }
    for (double& x : w) x /= ties;
}

}  // namespace

std::expected<Alma, IndicatorError> Alma::create(std::uint64_t n, double offset, double sigma) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!is_finite(offset) || !(offset >= 0.0 && offset <= 1.0)) {
        return std::unexpected(IndicatorError::invalid_period("ALMA offset must be a finite value in [0, 1]"));
    }
    if (!is_finite(sigma) || !(sigma > 0.0)) {
        return std::unexpected(IndicatorError::invalid_period("ALMA sigma must be a finite positive value"));
    }
    const double nf = static_cast<double>(n);
    const double m = (nf - 1.0) * offset;
    const double s = nf / sigma;
    std::vector<double> w(n);
    double sum = -0.0;
    for (std::uint64_t i = 0; i < n; ++i) {
        const double d = static_cast<double>(i) - m;
        w[i] = std::exp(-(d * d) / ((s + s) * s));
        sum += w[i];
    }
    if (sum > 0.0) {
        for (double& x : w) x /= sum;
    } else {
        concentrate_at_peak(w, m);
    }
    return Alma(std::move(w), n);
}

std::optional<double> Alma::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    double acc = 0.0;
    for (std::size_t i = 0; i < weights_.size(); ++i) acc = weights_[i] * window_[i] + acc;
    return acc;
}

}  // namespace torvex
