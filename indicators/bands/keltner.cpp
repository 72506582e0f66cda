#include "indicators/bands/keltner.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Keltner, 3);

std::expected<Keltner, IndicatorError> Keltner::create(std::uint64_t m, std::uint64_t n, double k) {
    auto channel = AtrEnvelope<SeededEma>::create(m, n, k);
    if (!channel) return std::unexpected(channel.error());
    return Keltner(std::move(*channel));
}

}  // namespace torvex
