#include "indicators/levels/andrews_pitchfork.hpp"

#include <algorithm>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, AndrewsPitchfork, 3);

std::expected<AndrewsPitchfork, IndicatorError> AndrewsPitchfork::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AndrewsPitchfork(n);
}

void AndrewsPitchfork::record(SwingPoint p) {
    if (count_ > 0 && points_[count_ - 1].is_high == p.is_high) {
        SwingPoint& last = points_[count_ - 1];
        const bool further = p.is_high ? p.price > last.price : p.price < last.price;
        if (further) last = p;
        return;
    }
    if (count_ == points_.size()) {
        points_[0] = points_[1];
        points_[1] = points_[2];
        count_ -= 1;
    }
    points_[count_] = p;
    count_ += 1;
}

std::optional<std::array<double, 3>> AndrewsPitchfork::step(const BarContext& ctx) {
    bars_ += 1;
    window_.push(ctx.candle.high, ctx.candle.low);
    if (window_.full()) {
        const bool high = window_.only_highest(half_);
        const bool low = window_.only_lowest(half_);
        const double x = static_cast<double>(bars_ - 1 - half_);
        // An outside bar, both at once, is no swing.
        if (high && !low) record({x, window_.highest(), true});
        if (low && !high) record({x, window_.lowest(), false});
    }
    if (count_ < points_.size()) return std::nullopt;
    const SwingPoint& p0 = points_[0];
    const SwingPoint& p1 = points_[1];
    const SwingPoint& p2 = points_[2];
    const double t = static_cast<double>(bars_ - 1);
    const double mx = midpoint(p1.x, p2.x);
    const double my = midpoint(p1.price, p2.price);
    const double slope = (my - p0.price) / (mx - p0.x);
    const double median = (t - p0.x) * slope + p0.price;
    const double d1 = p1.price - ((p1.x - p0.x) * slope + p0.price);
    const double d2 = p2.price - ((p2.x - p0.x) * slope + p0.price);
    return std::array<double, 3>{median, std::max(d1, d2) + median, std::min(d1, d2) + median};
}

}  // namespace torvex
