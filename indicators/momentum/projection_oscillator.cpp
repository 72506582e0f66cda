#include "indicators/momentum/projection_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ProjectionOscillator);

std::expected<ProjectionOscillator, IndicatorError> ProjectionOscillator::create(std::uint64_t n) {
    auto core = ProjectionBandsCore::create(n);
    if (!core) return std::unexpected(core.error());
    return ProjectionOscillator(std::move(*core));
}

}  // namespace torvex
