#include "indicators/cores/hilbert_core.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "indicators/bar.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

namespace {

constexpr double kEpsilon = 2.220446049250313e-16;
constexpr double kDegreesPerRadian = 57.29577951308232;

DcPhasorTable build_dc_phasor() {
    DcPhasorTable t{};
    std::size_t at = 0;
    for (std::size_t n = 0; n <= kMaxPhasorLength; ++n) {
        t.row_start[n] = at;
        for (std::size_t k = 0; k < n; ++k) {
            const double angle = static_cast<double>(k + k) * std::numbers::pi / static_cast<double>(n);
            t.pairs[at++] = SinCos{std::sin(angle), std::cos(angle)};
        }
    }
    t.row_start[kMaxPhasorLength + 1] = at;
    return t;
}

// HT(L) = 0.0962·L[0] + 0.5769·L[2] − 0.5769·L[4] − 0.0962·L[6], in that order.
template <std::size_t Cap>
double hilbert_tap(const HistoryList<Cap>& l) {
    return 0.0962 * l[0] + 0.5769 * l[2] - 0.5769 * l[4] - 0.0962 * l[6];
}

// Bounds that leave a NaN as it is, as the period clamp needs.
double clamp_period(double v, double lo, double hi) {
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

}  // namespace

const DcPhasorTable& dc_phasor_table() {
    static const DcPhasorTable table = build_dc_phasor();
    return table;
}

std::span<const SinCos> dc_phasor(std::size_t n) {
    if (n > kMaxPhasorLength) {
        std::fputs("phase table row beyond the longest cycle\n", stderr);
        std::abort();
    }
    const DcPhasorTable& t = dc_phasor_table();
    const std::size_t start = t.row_start[n];
    return std::span<const SinCos>(t.pairs.data() + start, t.row_start[n + 1] - start);
}

HomodyneStep HomodyneEstimator::advance(double x) {
    HomodyneStep out;
    count_ += 1;
    price_.push(x);
    if (!price_.full()) return out;

    const double s = (2.0 * price_[2] + 3.0 * price_[1] + 4.0 * x + price_[3]) / 10.0;
    smooth_.push(s);
    out.smoothed = s;
    if (!smooth_.full()) return out;
    out.smooth_full = true;

    const double adj = 0.075 * clamp_period(period_, 6.0, 50.0) + 0.54;
    detrender_.push(hilbert_tap(smooth_) * adj);
    if (!detrender_.full()) return out;

    const double q = hilbert_tap(detrender_) * adj;
    const double i = detrender_[3];
    q1_.push(q);
    i1_.push(i);
    if (!q1_.full()) return out;

    const double ji = hilbert_tap(i1_) * adj;
    const double jq = hilbert_tap(q1_) * adj;

    const double i2_prev = i2_;
    const double q2_prev = q2_;
    i2_ = 0.2 * (i - jq) + 0.8 * i2_prev;
    q2_ = 0.2 * (q + ji) + 0.8 * q2_prev;
    re_ = 0.2 * (i2_ * i2_prev + q2_ * q2_prev) + 0.8 * re_;
    im_ = 0.2 * (i2_ * q2_prev - q2_ * i2_prev) + 0.8 * im_;

    const double period_prev = period_;
    double raw = period_prev;
    if (std::fabs(re_) > kEpsilon && std::fabs(im_) > kEpsilon) raw = 6.283185307179586 / std::atan2(im_, re_);
    raw = std::fmin(raw, 1.5 * period_prev);
    raw = std::fmax(raw, 0.67 * period_prev);
    raw = std::fmax(raw, 6.0);
    raw = std::fmin(raw, 50.0);
    period_ = 0.8 * period_prev + 0.2 * raw;

    out.period_updated = true;
    out.in_phase = i;
    out.quadrature = q;
    return out;
}

DcPhase measure_dc_phase(const HistoryList<50>& smooth_history, double smooth_period) {
    std::size_t n = static_cast<std::size_t>(saturating_u64(smooth_period + 0.5));
    if (n < 1) n = 1;
    if (n > smooth_history.size()) n = smooth_history.size();
    const std::span<const SinCos> row = dc_phasor(n);
    double real = 0.0;
    double imag = 0.0;
    for (std::size_t k = 0; k < n; ++k) real += smooth_history[k] * row[k].sin;
    for (std::size_t k = 0; k < n; ++k) imag += smooth_history[k] * row[k].cos;

    double phase;
    if (std::fabs(imag) <= 0.001) {
        phase = real < 0.0 ? 0.0 : 180.0;
    } else {
        phase = std::atan(real / imag) * kDegreesPerRadian + 90.0;
    }
    phase += 360.0 / smooth_period;
    if (imag < 0.0) phase += 180.0;
    if (phase > 315.0) phase -= 360.0;
    return DcPhase{n, phase};
}

std::optional<double> HilbertDominantCycleCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    if (!est_.advance(x).period_updated) return std::nullopt;
    smooth_period_ = 0.67 * smooth_period_ + 0.33 * est_.period();
    if (est_.count() < 50) return std::nullopt;
    return smooth_period_;
}

std::optional<double> HtDcPhaseCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    const HomodyneStep st = est_.advance(x);
    if (st.smoothed) smooth_history_.push(*st.smoothed);
    if (!st.period_updated) return std::nullopt;
    smooth_period_ = 0.67 * smooth_period_ + 0.33 * est_.period();
    if (est_.count() < 50) return std::nullopt;
    return measure_dc_phase(smooth_history_, smooth_period_).phase;
}

std::expected<MamaCore, IndicatorError> MamaCore::create(double fast_limit, double slow_limit) {
    const bool ok = is_finite(fast_limit) && is_finite(slow_limit) && fast_limit > 0.0 && fast_limit <= 1.0 &&
                    slow_limit > 0.0 && slow_limit <= fast_limit;
    if (!ok) {
        return std::unexpected(
            IndicatorError::invalid_period("fast_limit, slow_limit must satisfy 0 < slow_limit <= fast_limit <= 1"));
    }
    return MamaCore(fast_limit, slow_limit);
}

std::optional<MamaPoint> MamaCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    const HomodyneStep st = est_.advance(x);
    if (st.smoothed && !st.smooth_full) {
        // Until the smoothing list fills, both averages sit at the smoothed price.
        mama_ = *st.smoothed;
        fama_ = *st.smoothed;
    }
    if (!st.period_updated) return std::nullopt;

    const double phase_prev = phase_;
    if (std::fabs(st.in_phase) > kEpsilon) phase_ = std::atan(st.quadrature / st.in_phase) * kDegreesPerRadian;
    const double delta = std::fmax(phase_prev - phase_, 1.0);
    const double alpha = std::fmax(fast_limit_ / delta, slow_limit_);
    mama_ = (1.0 - alpha) * mama_ + x * alpha;
    fama_ = (1.0 - 0.5 * alpha) * fama_ + 0.5 * alpha * mama_;
    if (est_.count() < 33) return std::nullopt;
    return MamaPoint{mama_, fama_};
}

}  // namespace torvex
