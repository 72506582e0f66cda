#include "indicators/demark/td_moving_average.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, TdMovingAverage, 2);

std::expected<TdMovingAverage, IndicatorError> TdMovingAverage::create(std::uint64_t st1_period,
                                                                       std::uint64_t st2_period) {
    if (st1_period == 0 || st2_period == 0) return std::unexpected(IndicatorError::zero_period());
    if (st1_period >= st2_period) {
        return std::unexpected(
            IndicatorError::invalid_period("TD moving average ST1 period must be strictly less than ST2"));
    }
    auto st1 = SmaCore::create(st1_period);
    if (!st1) return std::unexpected(st1.error());
    auto st2 = SmaCore::create(st2_period);
    if (!st2) return std::unexpected(st2.error());
    return TdMovingAverage(std::move(*st1), std::move(*st2));
}

}  // namespace torvex
