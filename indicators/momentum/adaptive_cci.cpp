#include "indicators/momentum/adaptive_cci.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/momentum/cci.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AdaptiveCci);

namespace {
// 2/3 - 2/31 and (2/31)^2, the fast and slow constants of 2- and 30-bar averages.
constexpr double kScSpan = 0.6021505376344085;
constexpr double kScSlow = 0.06451612903225806;
constexpr double kScFlat = 0.004162330905306971;
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
    double path = 0.0;
    for (std::size_t i = 1; i < window_.size(); ++i) path += std::fabs(window_[i] - window_[i - 1]);
    double sc = kScFlat;
    if (path > 0.0) {
        const double er = std::min(1.0, std::fabs(change) / path);
        const double root = er * kScSpan + kScSlow;
        sc = root * root;
    }
    double mean;
    if (!mean_) {
        // A window without path is n equal prices, whose average is their value
        // (s / n may miss it by a rounding, which the deviation would then divide).
        double s = -0.0;
        window_.for_each([&s](double v) { s += v; });
        mean = path == 0.0 ? tp : s / n;
    } else {
        const double prev = *mean_;
        const double step = sc * (tp - prev);
        mean = prev + step;
    }
    mean_ = mean;
    double dev = -0.0;
    window_.for_each([&](double v) { dev += std::fabs(v - mean); });
    dev = dev / n;
    if (dev > 0.0) return cci_ratio(tp - mean, dev);
    return 0.0;
}

}  // namespace torvex
