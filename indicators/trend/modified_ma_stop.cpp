#include "indicators/trend/modified_ma_stop.hpp"

#include <cmath>

#include "indicators/cores/exact_gram.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ModifiedMaStop, 2);

std::expected<ModifiedMaStop, IndicatorError> ModifiedMaStop::create(std::uint64_t n) {
    auto average = Smma::create(n);
    if (!average) return std::unexpected(average.error());
    return ModifiedMaStop(std::move(*average));
}

void ModifiedMaStop::start(double close, double avg) {
    direction_ = close < avg ? -1.0 : 1.0;
    stop_ = avg;
    if (!(std::fabs(close - avg) <= near_seed_ * std::fabs(close))) return;
    // Prices are decimals of at most 8 places, so where n times the close and the sum
    // of the first n closes differ, they differ by at least a unit of the eighth place:
    // the mean lies that over n off the close, or on it. Within the sum's rounding it
    // is on it wherever that rounding is far below the unit over n. The close is read
    // at a level in [1, 2), scaled by a power of two, so that every price level reads
    // the same grid.
    const double level = std::ldexp(close, -std::ilogb(close));
    ColumnGrid grid;
    grid.add(level);
    if (grid.decimals == 0) return;
    const double n = near_seed_ * 0x1p50;
    const double unit = std::fabs(level / static_cast<double>(grid.integer(level))) /
                        std::pow(10.0, ColumnGrid::kMaxDecimals - grid.decimals);
    if (!(unit / n > 4.0 * near_seed_ * std::fabs(level))) return;
    direction_ = 1.0;
    stop_ = close;
    held_at_close_ = true;
}

void ModifiedMaStop::hold_or_flip(double close, double avg) {
    if (stop_ - close <= near_seed_ * std::fabs(close)) {
        stop_ = close;  // the average began on the close and has not left it
        return;
    }
    held_at_close_ = false;
    direction_ = -1.0;
    stop_ = avg;
}

}  // namespace torvex
