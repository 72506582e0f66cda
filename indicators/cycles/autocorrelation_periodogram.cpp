#include "indicators/cycles/autocorrelation_periodogram.hpp"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, AutocorrelationPeriodogram);

namespace {
constexpr std::uint64_t kAvgLength = 3;
// The table holds (max_period - min_period + 1)(max_period - 2) sine/cosine pairs of
// 16 bytes; up to 2^20 of them (16 MiB, max_period near 1000) it is kept, which
// spares a sine and a cosine per term on every bar. Larger spectra compute them
// per bar so an object's memory stays bounded.
constexpr std::uint64_t kMaxTablePairs = std::uint64_t{1} << 20;

// A divisor in [2^-900, 2^900] comes from three-bar windows whose sums and products
// all lie in the normal range: their values would have to span some 2^500 within the
// window otherwise. Positive doubles order as their bit patterns, and a negative or
// zero divisor or NaN falls outside, so one unsigned comparison tests the range.
constexpr std::uint64_t kLowDivisorBits = std::bit_cast<std::uint64_t>(0x1p-900);
constexpr std::uint64_t kDivisorRange = std::bit_cast<std::uint64_t>(0x1p+900) - kLowDivisorBits;
bool in_normal_range(double d) { return std::bit_cast<std::uint64_t>(d) - kLowDivisorBits <= kDivisorRange; }

// The newest three values' sum of squares below this times the high-pass's square may
// hold values below RoofingCore::kCancel of it: a test of degree 2 on sums at hand.
constexpr double kCancelSquared = RoofingCore::kCancel * RoofingCore::kCancel;
}  // namespace

double AutocorrelationPeriodogram::angle(std::uint64_t j, std::uint64_t p) {
    const double pf = static_cast<double>(p);
    if (j == 3) return 18.84955592153876 / pf;
    return (static_cast<double>(j) * 6.283185307179586) / pf;
}

AutocorrelationPeriodogram::AutocorrelationPeriodogram(std::uint64_t min_period, std::uint64_t max_period)
    : roofing_(10.0, max_period),
      filtered_(max_period + 3),
      span_(max_period + 3),
      corr_(max_period + 1, 0.0),
      power_(max_period + 1, 0.0),
      min_period_(min_period),
      max_period_(max_period),
      exponents_(max_period + 3) {
    // Both factors are at most MAX_PERIOD (checked by create); the product is checked
    // all the same, an overflow counting as too large for a table.
    std::uint64_t pairs = 0;
    const bool overflow = __builtin_mul_overflow(max_period - min_period + 1, max_period - 2, &pairs);
    if (!overflow && pairs <= kMaxTablePairs) {
        table_.reserve(pairs);
        for (std::uint64_t p = min_period; p <= max_period; ++p) {
            for (std::uint64_t j = 3; j <= max_period; ++j) {
                const double t = angle(j, p);
                table_.push_back(SinCos{std::sin(t), std::cos(t)});
            }
        }
    }
}

std::expected<AutocorrelationPeriodogram, IndicatorError> AutocorrelationPeriodogram::create(
    std::uint64_t min_period, std::uint64_t max_period) {
    if (min_period == 0 || max_period == 0) return std::unexpected(IndicatorError::zero_period());
    if (!(min_period > kAvgLength && max_period > min_period)) {
        return std::unexpected(
            IndicatorError::invalid_period("autocorrelation periodogram needs AvgLength < min_period < max_period"));
    }
    if (max_period <= 10) {
        return std::unexpected(IndicatorError::invalid_period("lp_period must be strictly less than hp_period"));
    }
    // The lag window and the spectrum are as long as max_period: bound it before
    // anything is allocated (so max_period + 3 and the table size cannot overflow).
    if (auto ok = check_max_period(max_period); !ok) return std::unexpected(ok.error());
    return AutocorrelationPeriodogram(min_period, max_period);
}

void AutocorrelationPeriodogram::add_power(std::uint64_t p, double cos_part, double sin_part) {
    const double sq = cos_part * cos_part + sin_part * sin_part;
    power_[p] = 0.2 * sq * sq + 0.8 * power_[p];
    if (power_[p] > peak_) peak_ = power_[p];
}

std::optional<double> AutocorrelationPeriodogram::step(double close) {
    if (careful_bars_ != 0) [[unlikely]] return careful_step(close);
    const std::optional<double> filt = roofing_.step(close);
    if (!filt) return std::nullopt;
    filtered_.push(*filt);
    if (!filtered_.full()) return std::nullopt;

    // Pearson correlation of the newest three values with the three at each lag; the
    // sums of the newest three are the same for every lag.
    double sx = 0.0, sxx = 0.0;
    for (std::uint64_t k = 0; k < kAvgLength; ++k) {
        const double x = filtered(k);
        sx += x;
        sxx += x * x;
    }
    // Over a market pinned between bid and ask the filtered values decay far below the
    // high-pass, which holds its cycle: the sum the smoother reads is then carried.
    const double h = roofing_.held_highpass();
    if (!(sxx >= h * h * kCancelSquared)) [[unlikely]] arm_if_cancelling();
    for (std::uint64_t lag = 0; lag <= max_period_; ++lag) {
        double sy = 0.0, syy = 0.0, sxy = 0.0;
        for (std::uint64_t k = 0; k < kAvgLength; ++k) {
            const double x = filtered(k);
            const double y = filtered(lag + k);
            sy += y;
            syy += y * y;
            sxy += x * y;
        }
        const double d = (3.0 * sxx - sx * sx) * (3.0 * syy - sy * sy);
        if (!in_normal_range(d)) [[unlikely]] {
            careful_correlations();
            break;
        }
        corr_[lag] = (3.0 * sxy - sx * sy) / std::sqrt(d);
    }
    return spectrum();
}

double AutocorrelationPeriodogram::spectrum() {
    peak_ = 0.995 * peak_;
    const std::uint64_t lags = max_period_ - 2;
    for (std::uint64_t p = min_period_; p <= max_period_; ++p) {
        double cos_part = 0.0;
        double sin_part = 0.0;
        if (has_table()) {
            const SinCos* row = table_.data() + (p - min_period_) * lags;
            for (std::uint64_t j = 3; j <= max_period_; ++j) {
                cos_part += corr_[j] * row[j - 3].cos;
                sin_part += corr_[j] * row[j - 3].sin;
            }
        } else {
            for (std::uint64_t j = 3; j <= max_period_; ++j) {
                const double t = angle(j, p);
                cos_part += corr_[j] * std::cos(t);
                sin_part += corr_[j] * std::sin(t);
            }
        }
        add_power(p, cos_part, sin_part);
    }

    const double lo = static_cast<double>(min_period_);
    if (peak_ > 0.0) {
        double num = 0.0;
        double den = 0.0;
        for (std::uint64_t p = min_period_; p <= max_period_; ++p) {
            const double pwr = power_[p] / peak_;
            if (pwr >= 0.5) {
                num += static_cast<double>(p) * pwr;
                den += pwr;
            }
        }
        if (den > 0.0) return std::clamp(num / den, lo, static_cast<double>(max_period_));
    }
    return lo;
}

void AutocorrelationPeriodogram::settle() {
    roofing_.with_held([&](auto*... held) { scale_.settle({held...}); });
    if (!scale_.active() && !roofing_.carrying()) return;
    // The values in the window so far are in their own units.
    if (careful_bars_ == 0)
        for (std::uint64_t k = 0; k < span_; ++k) exponents_.push(0);
    careful_bars_ = span_;
}

void AutocorrelationPeriodogram::arm_if_cancelling() {
    if (roofing_.carrying() || scale_.active()) return;
    double top = 0.0;
    for (std::uint64_t k = 0; k < kAvgLength; ++k) {
        if (careful_bars_ != 0 && exponents_.from_newest(k) != 0) return;  // not in their own units
        top = std::fmax(top, std::fabs(filtered(k)));
    }
    if (2.0 * top < std::fabs(roofing_.held_highpass()) * RoofingCore::kCancel) {
        roofing_.arm();
        settle();
    }
}

std::optional<double> AutocorrelationPeriodogram::careful_step(double close) {
    const bool carrying = roofing_.carrying();
    const std::optional<double> filt =
        roofing_.step_held(close, [&](double& term, auto*... held) { scale_.enter({held...}, {&term}); });
    if (filt) {
        filtered_.push(*filt);
        exponents_.push(scale_.exponent());
        careful_bars_ = scale_.active() || carrying ? span_ : careful_bars_ - 1;
    }
    // The plain sum keeps its digits again (or the high-pass is no longer finite).
    if (carrying && roofing_.sum_recovered(scale_.own(roofing_.held_sum()))) {
        roofing_.with_held([&](auto*... held) { scale_.release({held...}); });
        roofing_.stop_carrying();
    }
    if (!filt) {
        settle();
        return std::nullopt;
    }
    if (!filtered_.full()) {
        settle();
        return std::nullopt;
    }
    careful_correlations();
    arm_if_cancelling();
    return spectrum();
}

void AutocorrelationPeriodogram::scaled_triple(std::uint64_t back, double out[3]) const {
    std::int64_t held[kAvgLength] = {};
    std::int64_t top = INT64_MIN;  // the largest value's exponent in its own units
    for (std::uint64_t k = 0; k < kAvgLength; ++k) {
        const double v = filtered(back + k);
        if (careful_bars_ != 0) held[k] = exponents_.from_newest(back + k);
        if (v != 0.0 && std::isfinite(v)) top = std::max(top, std::int64_t{std::ilogb(v)} - held[k]);
    }
    for (std::uint64_t k = 0; k < kAvgLength; ++k) {
        const double v = filtered(back + k);
        out[k] = top == INT64_MIN ? v : std::ldexp(v, DecayScale::shift_of(-held[k] - top));
    }
}

void AutocorrelationPeriodogram::careful_correlations() {
    double x[kAvgLength];
    scaled_triple(0, x);
    double sx = 0.0, sxx = 0.0;
    for (std::uint64_t k = 0; k < kAvgLength; ++k) {
        sx += x[k];
        sxx += x[k] * x[k];
    }
    for (std::uint64_t lag = 0; lag <= max_period_; ++lag) {
        double y[kAvgLength];
        scaled_triple(lag, y);
        double sy = 0.0, syy = 0.0, sxy = 0.0;
        for (std::uint64_t k = 0; k < kAvgLength; ++k) {
            sy += y[k];
            syy += y[k] * y[k];
            sxy += x[k] * y[k];
        }
        const double d = (3.0 * sxx - sx * sx) * (3.0 * syy - sy * sy);
        corr_[lag] = d > 0.0 ? (3.0 * sxy - sx * sy) / std::sqrt(d) : 0.0;
    }
    settle();
}

}  // namespace torvex
