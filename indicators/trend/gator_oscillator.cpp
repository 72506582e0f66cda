#include "indicators/trend/gator_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, GatorOscillator, 2);

std::expected<GatorOscillator, IndicatorError> GatorOscillator::create(std::uint64_t jaw, std::uint64_t teeth,
                                                                       std::uint64_t lips) {
    auto lines = AlligatorLines::create(jaw, teeth, lips);
    if (!lines) return std::unexpected(lines.error());
    return GatorOscillator(std::move(*lines));
}

}  // namespace torvex
