// DeMark sequential: the setup run, the countdown of the side of the last completed
// setup, and that side. Positive counts belong to the buy side (falling closes).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/demark/sequential_count.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdSequential final : public MultiOutput<TdSequential, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"setup", "countdown", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Any length 0: ZeroPeriod; the larger lookback above MAX_PERIOD: the maximum text.
    static std::expected<TdSequential, IndicatorError> create(std::uint64_t setup_lookback,
                                                              std::uint64_t setup_length,
                                                              std::uint64_t countdown_lookback,
                                                              std::uint64_t countdown_length);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        if (!frame_.advance(ctx.candle, *this)) return std::nullopt;
        const SetupCount& setup = frame_.setup();
        const double run = setup.buy > 0    ? static_cast<double>(setup.buy)
                           : setup.sell > 0 ? -static_cast<double>(setup.sell)
                                            : 0.0;
        const double direction = frame_.side == CountSide::Buy    ? 1.0
                                 : frame_.side == CountSide::Sell ? -1.0
                                                                  : 0.0;
        return std::array<double, 3>{run, frame_.signed_count(), direction};
    }
    std::uint64_t warmup() const override { return frame_.lengths().span() + 1; }

    // The frame's count step: a close at or beyond the low (buy) or high (sell) of the
    // bar b back counts; the final count waits for the bar to reach the close of count
    // c - 5 once one is recorded.
    void count(const Ohlcv& bar, const Ohlcv& previous, const Ohlcv& b_back);
    void restart() { reference_.clear(); }

private:
    explicit TdSequential(SequentialLengths lengths) : frame_(lengths) {}

    SequentialFrame frame_;
    CountdownReference reference_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, TdSequential, 3);

}  // namespace torvex
