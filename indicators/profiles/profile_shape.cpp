#include "indicators/profiles/profile_shape.hpp"

#include "indicators/cores/price_grid.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ProfileShape);

std::expected<ProfileShape, IndicatorError> ProfileShape::create(std::uint64_t n, std::uint64_t bins) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (bins < 3) return std::unexpected(IndicatorError::invalid_period("profile shape needs bins >= 3"));
    if (auto ok = check_max_period(bins); !ok) return std::unexpected(ok.error());
    return ProfileShape(n, bins);
}

std::optional<double> ProfileShape::step(const Ohlcv& bar) {
    if (bars_.full()) bars_.drop_oldest();
    bars_.push_back(bar);
    if (!bars_.full()) return std::nullopt;
    const PriceGrid grid = PriceGrid::over(bars_, bins_);
    fill_volume_profile(grid, bars_, bins_, profile_);
    const std::uint64_t poc = point_of_control(profile_);
    const std::uint64_t third = bins_ / 3;
    if (poc < third) return -1.0;
    if (poc >= bins_ - third) return 1.0;
    return 0.0;
}

}  // namespace torvex
