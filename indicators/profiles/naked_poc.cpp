#include "indicators/profiles/naked_poc.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/price_grid.hpp"

namespace torvex {

std::expected<NakedPoc, IndicatorError> NakedPoc::create(std::uint64_t n, std::uint64_t bins) {
    if (n == 0 || bins == 0) return std::unexpected(IndicatorError::zero_period());
    // The block ring and the profile are sized by these, so both are bounded.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(bins); !ok) return std::unexpected(ok.error());
    return NakedPoc(n, bins);
}

std::optional<double> NakedPoc::step(const Ohlcv& bar) {
    std::erase_if(naked_, [&](double p) { return bar.low <= p && p <= bar.high; });
    last_close_ = bar.close;
    block_.push_back(bar);
    if (block_.full()) {
        const PriceGrid grid = PriceGrid::over(block_, bins_);
        double poc = grid.lo();
        if (grid.has_range()) {
            fill_volume_profile(grid, block_, bins_, profile_);
            poc = grid.lo() + grid.width() * (static_cast<double>(point_of_control(profile_)) + 0.5);
        }
        naked_.push_back(poc);
        block_.clear();
        block_seen_ = true;
    }
    if (!block_seen_) return std::nullopt;
    if (naked_.empty()) return last_close_;
    double nearest = naked_.front();
    double distance = std::fabs(nearest - last_close_);
    for (double p : naked_) {
        const double d = std::fabs(p - last_close_);
        if (d < distance) {
            nearest = p;
            distance = d;
        }
    }
    return nearest;
}

}  // namespace torvex
