#include "indicators/trend/modified_ma_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ModifiedMaStop, 2);

std::expected<ModifiedMaStop, IndicatorError> ModifiedMaStop::create(std::uint64_t n) {
    auto average = Smma::create(n);
    if (!average) return std::unexpected(average.error());
    return ModifiedMaStop(std::move(*average));
}

}  // namespace torvex
