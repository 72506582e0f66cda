#include "indicators/bands/keltner.hpp"

namespace torvex {

std::expected<Keltner, IndicatorError> Keltner::create(std::uint64_t m, std::uint64_t n, double k) {
    auto channel = AtrEnvelope<SeededEma>::create(m, n, k);
    if (!channel) return std::unexpected(channel.error());
    return Keltner(std::move(*channel));
}

}  // namespace torvex
