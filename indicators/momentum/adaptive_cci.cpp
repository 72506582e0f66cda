#include "indicators/momentum/adaptive_cci.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/printed_decimal.hpp"
#include "indicators/momentum/cci.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AdaptiveCci);

namespace {
// 2/3 - 2/31 and (2/31)^2, the fast and slow constants of 2- and 30-bar averages.
constexpr double kScSpan = 0.6021505376344085;
constexpr double kScSlow = 0.06451612903225806;
constexpr double kScFlat = 0.004162330905306971;
// The residue's weight against the deviation beyond which it may show (see step).
constexpr double kSliver = 0x1p38;
}  // namespace

std::expected<AdaptiveCci, IndicatorError> AdaptiveCci::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("adaptive CCI needs period >= 2"));
    return AdaptiveCci(n);
}

std::optional<double> AdaptiveCci::step(const Ohlcv& bar) {
    const double tp = typical_price(bar);
    if (window_.full()) window_.pop_front();
    window_.push(tp);
    if (!window_.full()) return std::nullopt;

    const double n = static_cast<double>(period_);
    const double change = tp - window_.front();
    // The moves oldest first, over the ring's two runs.
    double path = 0.0;
    const auto runs = window_.runs();
    double last = runs.first.front();
    for (const double v : runs.first.subspan(1)) {
        path += std::fabs(v - last);
        last = v;
    }
    for (const double v : runs.second) {
        path += std::fabs(v - last);
        last = v;
    }
    // A path of a few roundings of the level may be a window whose typical prices
    // print alike: then it has no path, and its price is the one its run holds.
    if (path > 0.0 && path < near_flat_ * std::fabs(tp)) [[unlikely]] {
        if (const std::optional<double> answer = printed_flat(tp)) return answer;
    }
    double mean;
    if (!mean_) [[unlikely]] {
        // A window without path is n equal prices, whose average is their value
        // (s / n may miss it by a rounding, which the deviation would then divide).
        double s = -0.0;
        window_.for_each([&s](double v) { s += v; });
        mean = path == 0.0 ? tp : s / n;
        // What s / n rounded away: each price less the mean is exact.
        double r = -0.0;
        window_.for_each([&](double v) { r += v - mean; });
        residue_ = std::isfinite(r) ? r / n : 0.0;
    } else if (path > 0.0) [[likely]] {
        const double er = std::min(1.0, std::fabs(change) / path);
        const double root = er * kScSpan + kScSlow;
        const double sc = root * root;
        const double prev = *mean_;
        const double step = sc * (tp - prev);
        mean = prev + step;
        // The residue closes in like the mean, and takes what the addition rounded away.
        residue_ = (residue_ - sc * residue_) + (step - (mean - prev));
    } else {
        const double answer = flat_window(tp, *mean_, mean);
        mean_ = mean;
        return answer;
    }
    mean_ = mean;
    double dev = -0.0;
    window_.for_each([&](double v) { dev += std::fabs(v - mean); });
    dev = dev / n;
    // Where the residue is below 2^-38 of the deviation, the stored mean moves the
    // answer by less than 2^-38 (66.7 + |answer|) (some 2.4e-10 near zero, a
    // billionth at 200); from there on the exact mean answers. The test also takes a
    // window without deviation, and a residue that is not finite.
    if (!(std::fabs(residue_) * kSliver < dev)) [[unlikely]] return off_level(tp, mean, dev);
    return cci_ratio(tp - mean, dev);
}

std::optional<double> AdaptiveCci::printed_flat(double tp) {
    if (!typical_prices_print_flat(window_, tp)) return std::nullopt;
    // A window that prints flat from its first bar: its mean is its price.
    if (!mean_) {
        mean_ = tp;
        residue_ = 0.0;
        return 0.0;
    }
    // The window's price as the flat run it goes on holds it, else as the mean holds it
    // where it stands there (set by a window that printed flat from its first bar),
    // else the newest.
    double price = tp;
    if (same_printed(3.0 * flat_.price, 3.0 * tp)) price = flat_.price;
    else if (same_printed(3.0 * *mean_, 3.0 * tp)) price = *mean_;
    double mean;
    const double answer = flat_window(price, *mean_, mean);
    mean_ = mean;
    return answer;
}

double AdaptiveCci::off_level(double tp, double mean, double dev) {
    if (!std::isfinite(residue_)) [[unlikely]] {
        residue_ = 0.0;
        return dev > 0.0 ? cci_ratio(tp - mean, dev) : 0.0;
    }
    // Each price less the stored mean is exact (they lie within a factor of two);
    // less the residue, it is rounded in units of the window's own spread.
    double d = -0.0;
    window_.for_each([&](double v) { d += std::fabs((v - mean) - residue_); });
    d = d / static_cast<double>(period_);
    return d > 0.0 ? cci_ratio((tp - mean) - residue_, d) : 0.0;
}

double AdaptiveCci::flat_window(double tp, double prev, double& mean) {
    Flat& f = flat_;
    // The window as the last flat bar left it: the run goes on. Otherwise it starts
    // here, from the exact mean less the price.
    if (!(tp == f.price && prev == f.left && residue_ == f.left_residue)) {
        f.price = tp;
        f.distance = (prev - tp) + residue_;
        f.scale = DecayScale();
    }
    f.distance = f.distance + kScFlat * (0.0 - f.distance);
    if (f.scale.active() || std::fabs(f.distance) < DecayScale::kLow) [[unlikely]] f.scale.settle({&f.distance});
    // The stored mean goes on as on any bar, for the bars after the window.
    mean = prev + kScFlat * (tp - prev);
    residue_ = std::isfinite(f.distance) ? (tp - mean) + f.scale.own(f.distance) : 0.0;
    f.left = mean;
    f.left_residue = residue_;
    if (!std::isfinite(f.distance)) {
        double dev = -0.0;
        window_.for_each([&](double v) { dev += std::fabs(v - mean); });
        dev = dev / static_cast<double>(period_);
        return dev > 0.0 ? cci_ratio(tp - mean, dev) : 0.0;
    }
    // Every price less the mean is minus the distance; a power of two on it changes
    // no quotient.
    return f.distance != 0.0 ? cci_ratio(-f.distance, std::fabs(f.distance)) : 0.0;
}

}  // namespace torvex
