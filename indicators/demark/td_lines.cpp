#include "indicators/demark/td_lines.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, TdLines, 2);

std::expected<TdLines, IndicatorError> TdLines::create(std::uint64_t lookback, std::uint64_t run_length) {
    if (lookback == 0 || run_length == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(lookback); !ok) return std::unexpected(ok.error());
    return TdLines(lookback, run_length);
}

}  // namespace torvex
