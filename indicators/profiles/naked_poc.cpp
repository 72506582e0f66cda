#include "indicators/profiles/naked_poc.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "indicators/cores/price_grid.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, NakedPoc);

std::expected<NakedPoc, IndicatorError> NakedPoc::create(std::uint64_t n, std::uint64_t bins) {
    if (n == 0 || bins == 0) return std::unexpected(IndicatorError::zero_period());
    // The block ring and the profile are sized by these, so both are bounded.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(bins); !ok) return std::unexpected(ok.error());
    return NakedPoc(n, bins);
}

std::optional<double> NakedPoc::step(const Ohlcv& bar) {
    // The points are never NaN (an overflowing range makes an infinite width and so an
    // infinite point). Once the touched ones are gone, the first point above the bar
    // is the first not below the close, which the candle rule keeps within the bar.
    auto touched_end = first_not_below(bar.low);
    const auto touched = touched_end;
    while (touched_end != naked_.end() && touched_end->first <= bar.high) ++touched_end;
    auto above = naked_.erase(touched, touched_end);
    last_close_ = bar.close;
    block_.push_back(bar);
    if (block_.full()) {
        const PriceGrid grid = PriceGrid::over(block_, bins_);
        double poc = grid.lo();
        if (grid.has_range()) {
            fill_volume_profile(grid, block_, bins_, profile_);
            poc = grid.lo() + grid.width() * (static_cast<double>(point_of_control(profile_)) + 0.5);
        }
        // The first point not below it is where it goes: no second descent, and none
        // at all where it is the highest.
        naked_.try_emplace(first_not_below(poc), poc, NakedPoint{blocks_done_, poc});
        blocks_done_ += 1;
        above = first_not_below(last_close_);
        block_.clear();
        block_seen_ = true;
    }
    if (!block_seen_) return std::nullopt;
    if (naked_.empty()) return last_close_;
    return nearest_naked(above);
}

NakedPoc::NakedMap::iterator NakedPoc::first_not_below(double x) {
    if (naked_.empty() || std::prev(naked_.end())->first < x) return naked_.end();
    if (!(naked_.begin()->first < x)) return naked_.begin();
    return naked_.lower_bound(x);
}

double NakedPoc::nearest_naked(NakedMap::const_iterator above) const {
    const double c = last_close_;
    const auto distance = [c](const NakedPoint& p) { return std::fabs(p.price - c); };
    // The rounded distance |p - c| never grows as p nears c from either side, so the
    // least distance is that of a neighbour of c; more points can share it only in
    // a run next to that neighbour (prices closer together than c's rounding).
    const bool has_below = above != naked_.begin();
    const bool has_above = above != naked_.end();
    double least = has_above ? distance(above->second) : distance(std::prev(above)->second);
    if (has_below && has_above) least = std::min(least, distance(std::prev(above)->second));
    const NakedPoint* best = nullptr;
    const auto consider = [&](const NakedPoint& p) {
        if (best == nullptr || p.order < best->order) best = &p;
    };
    for (auto it = above; it != naked_.end() && distance(it->second) == least; ++it) consider(it->second);
    for (auto it = above; it != naked_.begin();) {
        --it;
        if (distance(it->second) != least) break;
        consider(it->second);
    }
    return best->price;
}

}  // namespace torvex
