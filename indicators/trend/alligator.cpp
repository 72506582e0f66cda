#include "indicators/trend/alligator.hpp"

#include <algorithm>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Alligator, 3);

std::expected<AlligatorLines, IndicatorError> AlligatorLines::create(std::uint64_t jaw, std::uint64_t teeth,
                                                                     std::uint64_t lips) {
    if (jaw == 0 || teeth == 0 || lips == 0) return std::unexpected(IndicatorError::zero_period());
    auto jaw_line = Smma::create(jaw);
    if (!jaw_line) return std::unexpected(jaw_line.error());
    auto teeth_line = Smma::create(teeth);
    if (!teeth_line) return std::unexpected(teeth_line.error());
    auto lips_line = Smma::create(lips);
    if (!lips_line) return std::unexpected(lips_line.error());
    return AlligatorLines(std::move(*jaw_line), std::move(*teeth_line), std::move(*lips_line),
                          std::max({jaw, teeth, lips}));
}

std::optional<AlligatorPoint> AlligatorLines::step(const Ohlcv& bar) {
    const double m = midpoint(bar.high, bar.low);
    if (!is_finite(m)) return std::nullopt;
    const std::optional<double> lips = lips_.step(m);
    const std::optional<double> teeth = teeth_.step(m);
    const std::optional<double> jaw = jaw_.step(m);
    if (!lips || !teeth || !jaw) return std::nullopt;
    return AlligatorPoint{*jaw, *teeth, *lips};
}

std::expected<Alligator, IndicatorError> Alligator::create(std::uint64_t jaw, std::uint64_t teeth,
                                                           std::uint64_t lips) {
    auto lines = AlligatorLines::create(jaw, teeth, lips);
    if (!lines) return std::unexpected(lines.error());
    return Alligator(std::move(*lines));
}

}  // namespace torvex
