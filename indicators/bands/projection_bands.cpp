#include "indicators/bands/projection_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ProjectionBands, 3);

std::expected<ProjectionBands, IndicatorError> ProjectionBands::create(std::uint64_t n) {
    auto core = ProjectionBandsCore::create(n);
    if (!core) return std::unexpected(core.error());
    return ProjectionBands(std::move(*core));
}

}  // namespace torvex
