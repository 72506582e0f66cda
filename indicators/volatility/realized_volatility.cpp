#include "indicators/volatility/realized_volatility.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RealizedVolatility);

std::expected<RealizedVolatility, IndicatorError> RealizedVolatility::create(std::uint64_t n) {
    auto squares = SummedWindow::create(n);
    if (!squares) return std::unexpected(squares.error());
    return RealizedVolatility(std::move(*squares));
}

}  // namespace torvex
