#include "indicators/momentum/kase_permission_stochastic.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, KasePermissionStochastic, 2);

std::expected<KasePermissionStochastic, IndicatorError> KasePermissionStochastic::create(std::uint64_t period,
                                                                                         std::uint64_t smoothing) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    if (auto ok = check_period(smoothing); !ok) return std::unexpected(ok.error());
    return KasePermissionStochastic(period, smoothing);
}

std::optional<std::array<double, 2>> KasePermissionStochastic::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    range_.push(bar.high, bar.low);
    if (!range_.full()) return std::nullopt;
    const double hh = range_.highest();
    const double ll = range_.lowest();
    const double raw = ll < hh ? ((bar.close - ll) * 100.0) / (hh - ll) : 50.0;
    if (!is_finite(raw)) return std::nullopt;
    const std::optional<double> fast = fast_.step(raw);
    if (!fast || !is_finite(*fast)) return std::nullopt;
    const std::optional<double> slow = slow_.step(*fast);
    if (!slow) return std::nullopt;
    return std::array<double, 2>{*fast, *slow};
}

}  // namespace torvex
