#include "indicators/averages/instantaneous_trendline.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, InstantaneousTrendline);

InstantaneousTrendline::InstantaneousTrendline(std::uint64_t n)
    : period_(n), alpha_(2.0 / (static_cast<double>(n) + 1.0)) {
    const double a = alpha_;
    const double a2 = a * a;
    g_close_ = a - a2 / 4.0;
    g_close1_ = 0.5 * a2;
    g_close2_ = a - 0.75 * a2;
    g_it1_ = 2.0 * (1.0 - a);
    g_it2_ = (1.0 - a) * (1.0 - a);
}

std::expected<InstantaneousTrendline, IndicatorError> InstantaneousTrendline::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return InstantaneousTrendline(n);
}

std::optional<double> InstantaneousTrendline::step(double close) {
    count_ += 1;
    const double c1 = close1_.value_or(close);
    const double c2 = close2_.value_or(close);
    close2_ = close1_;
    close1_ = close;
    double it;
    if (count_ < 7) {
        it = (close + 2.0 * c1 + c2) / 4.0;
    } else {
        it = g_close_ * close + g_close1_ * c1 - g_close2_ * c2 + g_it1_ * it1_ - g_it2_ * it2_;
    }
    it2_ = it1_;
    it1_ = it;
    return it;
}

}  // namespace torvex
