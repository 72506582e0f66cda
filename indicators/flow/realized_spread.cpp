#include "indicators/flow/realized_spread.hpp"

namespace torvex {

std::expected<RealizedSpread, IndicatorError> RealizedSpread::create(std::uint64_t horizon) {
    // Bounded here, so the horizon + 1 slots cannot wrap.
    if (auto ok = check_period(horizon); !ok) return std::unexpected(ok.error());
    return RealizedSpread(horizon);
}

std::optional<double> RealizedSpread::step(const BarContext& ctx) {
    const std::optional<double> mid = reference_mid(ctx);
    if (!mid) return std::nullopt;
    const double m = *mid;
    std::optional<double> result;
    for (const Trade& t : ctx.trades) {
        prints_.push(Print{trade_sign(t), t.price, m});
        result.reset();
        if (prints_.full()) {
            const Print old = prints_.front();
            prints_.pop_front();
            result = 2.0 * old.sign * (old.price - m) / old.mid * 10000.0;
        }
    }
    return result;
}

}  // namespace torvex
