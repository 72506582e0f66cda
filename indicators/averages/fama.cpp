#include "indicators/averages/fama.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Fama);

std::expected<Fama, IndicatorError> Fama::create(double fast_limit, double slow_limit) {
    auto core = MamaCore::create(fast_limit, slow_limit);
    if (!core) return std::unexpected(core.error());
    return Fama(std::move(*core));
}

std::optional<double> Fama::step(double close) {
    const std::optional<MamaPoint> point = core_.step(close);
    if (!point) return std::nullopt;
    return point->fama;
}

}  // namespace torvex
