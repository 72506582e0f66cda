// QQE: a smoothed RSI of the close and a trailing line that follows it at a distance
// of its doubly smoothed bar-to-bar change times a factor, switching sides when the
// smoothed RSI crosses the line.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/rsi_core.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

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
    std::optional<std::array<double, 2>> step(const BarContext& ctx);
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

}  // namespace torvex
