#include "indicators/averages/ehma.hpp"

#include "indicators/averages/hma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Ehma);

std::expected<Ehma, IndicatorError> Ehma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    const HullLengths len = hull_lengths(n);
    return Ehma(len.half, n, len.root);
}

}  // namespace torvex
