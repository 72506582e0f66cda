// QQE: a smoothed RSI of the close and a trailing line that follows it at a distance
// of its doubly smoothed bar-to-bar change times a factor, switching sides when the
// smoothed RSI crosses the line.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/rsi_core.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class Qqe final : public MultiOutput<Qqe, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"rsi_ma", "trailing_line"};
    static constexpr InputGate kGate = InputGate::None;

    // Zero tests on rsi_period and smoothing; factor finite and above 0 (an
    // InvalidPeriod of its own); the RSI constructor; then smoothing and
    // 2·rsi_period − 1 against MAX_PERIOD.
    static std::expected<Qqe, IndicatorError> create(std::uint64_t rsi_period, std::uint64_t smoothing,
                                                     double factor);

    // A non-finite close answers nothing and changes nothing.
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
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
            const double long_band = (pl < prev && pl < *rsi_ma) ? max_skipping_nan(new_long, pl) : new_long;
            const double short_band = (prev < ps && *rsi_ma < ps) ? min_skipping_nan(new_short, ps) : new_short;
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
    std::uint64_t warmup() const override {
        const std::uint64_t wilders = change_average_.period();
        return wilders + (rsi_.period() + rsi_average_.period() + wilders) - 1;
    }

private:
    struct Bands {
        double long_band;
        double short_band;
    };

    Qqe(RsiCore rsi, std::uint64_t smoothing, std::uint64_t wilders, double factor)
        : rsi_(std::move(rsi)), rsi_average_(smoothing), change_average_(wilders), change_smoothing_(wilders),
          factor_(factor) {}

    RsiCore rsi_;
    SeededEma rsi_average_;
    SeededEma change_average_;
    SeededEma change_smoothing_;
    std::optional<double> previous_rsi_ma_;
    std::optional<Bands> bands_;
    bool trend_up_ = true;
    double factor_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Qqe, 2);

}  // namespace torvex
