#include "indicators/momentum/coppock.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Coppock);

std::expected<Coppock, IndicatorError> Coppock::create(std::uint64_t r1, std::uint64_t r2, std::uint64_t w) {
    if (r1 == 0 || r2 == 0 || w == 0) return std::unexpected(IndicatorError::zero_period());
    auto first = LagWindow::create(r1);
    if (!first) return std::unexpected(first.error());
    auto second = LagWindow::create(r2);
    if (!second) return std::unexpected(second.error());
    auto average = WmaCore::create(w);
    if (!average) return std::unexpected(average.error());
    return Coppock(std::move(*first), std::move(*second), std::move(*average));
}

std::uint64_t Coppock::warmup() const {
    return std::max(first_.period(), second_.period()) + average_.period();
}

}  // namespace torvex
