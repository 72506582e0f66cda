#include "indicators/momentum/qqe.hpp"

#include <cmath>

namespace torvex {

std::expected<Qqe, IndicatorError> Qqe::create(std::uint64_t rsi_period, std::uint64_t smoothing, double factor) {
    if (rsi_period == 0 || smoothing == 0) return std::unexpected(IndicatorError::zero_period());
    if (!is_finite(factor) || !(factor > 0.0))
        return std::unexpected(IndicatorError::invalid_period("QQE factor must be a finite positive value"));
    auto rsi = RsiCore::create(rsi_period);
    if (!rsi) return std::unexpected(rsi.error());
    // The RSI constructor has bounded rsi_period, so 2·rsi_period − 1 cannot wrap.
    const std::uint64_t wilders = 2 * rsi_period - 1;
    if (auto ok = check_max_period(smoothing); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(wilders); !ok) return std::unexpected(ok.error());
    return Qqe(std::move(*rsi), smoothing, wilders, factor);
}

std::optional<std::array<double, 2>> Qqe::step(const BarContext& ctx) {
    const std::optional<double> rsi = rsi_.step(ctx.candle.close);
    if (!rsi || !is_finite(*rsi)) return std::nullopt;
    const std::optional<double> rsi_ma = rsi_average_.step(*rsi);
    if (!rsi_ma) return std::nullopt;
    if (!previous_rsi_ma_) {
        previous_rsi_ma_ = *rsi_ma;
        return std::nullopt;
    }
    const double prev = *previous_rsi_ma_;
    previous_rsi_ma_ = *rsi_ma;

    const double change = *rsi_ma - prev;
    if (!is_finite(change)) return std::nullopt;
    const std::optional<double> averaged = change_average_.step(std::fabs(change));
    if (!averaged || !is_finite(*averaged)) return std::nullopt;
    const std::optional<double> smoothed = change_smoothing_.step(*averaged);
    if (!smoothed) return std::nullopt;
    const double dar = *smoothed * factor_;
    const double new_long = *rsi_ma - dar;
    const double new_short = *rsi_ma + dar;

    double trailing;
    if (!bands_) {
        bands_ = Bands{new_long, new_short};
        trend_up_ = true;
        trailing = new_long;
    } else {
        const double pl = bands_->long_band;
        const double ps = bands_->short_band;
        // A band only ratchets while the index stays on its side of it.
        const double long_band = (pl < prev && pl < *rsi_ma) ? std::fmax(pl, new_long) : new_long;
        const double short_band = (prev < ps && *rsi_ma < ps) ? std::fmin(ps, new_short) : new_short;
        bands_ = Bands{long_band, short_band};
        if (prev <= ps && *rsi_ma > ps) {
            trend_up_ = true;
            trailing = long_band;
        } else if (prev >= pl && *rsi_ma < pl) {
            trend_up_ = false;
            trailing = short_band;
        } else {
            trailing = trend_up_ ? long_band : short_band;
        }
    }
    return std::array<double, 2>{*rsi_ma, trailing};
}

}  // namespace torvex
