#include "indicators/pairs/relative_strength_ab.hpp"

#include <algorithm>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, RelativeStrengthAB, 3);

std::expected<RelativeStrengthAB, IndicatorError> RelativeStrengthAB::create(std::uint64_t ma_period,
                                                                             std::uint64_t rsi_period) {
    if (auto ok = check_period(ma_period); !ok) return std::unexpected(ok.error());
    auto rsi = RsiCore::create(rsi_period);
    if (!rsi) return std::unexpected(rsi.error());
    auto sma = SmaCore::create(ma_period);
    if (!sma) return std::unexpected(sma.error());
    return RelativeStrengthAB(std::move(*sma), std::move(*rsi));
}

std::uint64_t RelativeStrengthAB::warmup() const { return std::max(rsi_.period() + 1, sma_.period()); }

std::optional<std::array<double, 3>> RelativeStrengthAB::step(const BarContext& ctx) {
    const std::optional<PairInput> p = pair_input(ctx, PairDomain::NonZeroB);
    if (!p) return std::nullopt;
    const double ratio = p->a / p->b;
    // Both cores refuse a ratio that overflowed, together, so they stay in step.
    const std::optional<double> rsi = rsi_.step(ratio);
    const std::optional<double> ma = sma_.step(ratio);
    if (!rsi || !ma) return std::nullopt;
    return std::array<double, 3>{ratio, *ma, *rsi};
}

}  // namespace torvex
