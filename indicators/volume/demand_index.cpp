#include "indicators/volume/demand_index.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, DemandIndex);

namespace {
double demand_alpha(std::uint64_t n) { return 2.0 / (static_cast<double>(n) + 1.0); }
double demand_price(const Ohlcv& b) { return ((b.close + b.close) + (b.high + b.low)) * 0.25; }

// The smoothed pressure, or the raw one when it is not finite (the average skips it).
double smoothed(SeededEma& avg, double pressure) {
    if (!std::isfinite(pressure)) return pressure;
    return *avg.step(pressure);
}
}  // namespace

DemandIndex::DemandIndex(std::uint64_t n)
    : volumes_(n), ranges_(n), buying_(1, demand_alpha(n)), selling_(1, demand_alpha(n)),
      n_(static_cast<double>(n)) {}

std::expected<DemandIndex, IndicatorError> DemandIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return DemandIndex(n);
}

std::optional<double> DemandIndex::step(const Ohlcv& bar) {
    volumes_.push(bar.volume);
    const std::optional<Ohlcv> prev = prev_;
    prev_ = bar;
    if (!prev) return std::nullopt;
    ranges_.push(std::max(bar.high, prev->high) - std::min(bar.low, prev->low));
    if (!ranges_.full()) return std::nullopt;
    const double p = demand_price(bar);
    const double pp = demand_price(*prev);
    const double avg_range = ranges_.sum() / n_;
    const double avg_volume = volumes_.sum() / n_;
    if (p == 0.0 || pp == 0.0 || avg_range == 0.0 || avg_volume == 0.0) return last_;
    const double dp = (p - pp) / std::min(p, pp);
    const double vr = bar.volume / avg_volume;
    const double k = std::fabs(dp) * (3.0 * p / avg_range);
    const double e = std::exp(k < 88.0 ? k : 88.0);  // a NaN k takes the cap too
    const double buy = dp > 0.0 ? vr : vr / e;
    const double sell = dp > 0.0 ? vr / e : vr;
    const double b = smoothed(buying_, buy);
    const double s = smoothed(selling_, sell);
    double index = 0.0;
    if (b > s) {
        index = (1.0 - s / b) * 100.0;
    } else if (s > b) {
        index = (1.0 - b / s) * -100.0;
    }
    last_ = index;
    return index;
}

}  // namespace torvex
