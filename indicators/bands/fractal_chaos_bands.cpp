#include "indicators/bands/fractal_chaos_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, FractalChaosBands, 2);

std::expected<FractalChaosBands, IndicatorError> FractalChaosBands::create(std::uint64_t p) {
    if (auto ok = check_period(p); !ok) return std::unexpected(ok.error());
    return FractalChaosBands(p);
}

}  // namespace torvex
