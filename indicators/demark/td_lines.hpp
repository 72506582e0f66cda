// DeMark lines: after `run_length` consecutive closes below the close `lookback` bars
// earlier, resistance at the highest high of that falling run; after as many closes
// above it, support at the lowest low of the rising run. Levels hold until set again.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>
#include <string_view>

#include "indicators/demark/setup_count.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdLines final : public MultiOutput<TdLines, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"resistance", "support"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Either 0: ZeroPeriod; lookback above MAX_PERIOD: the maximum text (the run
    // length needs no storage and stays unbounded).
    static std::expected<TdLines, IndicatorError> create(std::uint64_t lookback, std::uint64_t run_length);

    // Nothing until a first level exists; then both levels, NaN for one not yet set
    // (so the answer itself is NaN until a resistance exists).
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::optional<double> ref = closes_.push(bar.close);
        if (!ref) return std::nullopt;
        const bool falling_was_empty = runs_.buy == 0;
        const bool rising_was_empty = runs_.sell == 0;
        runs_.step(bar.close, *ref, run_length_);
        if (bar.close < *ref) {
            run_high_ = falling_was_empty ? bar.high : std::max(run_high_, bar.high);
            run_low_ = kInf;
            // The capped count equals the cap exactly when the run has reached it.
            if (runs_.buy == run_length_) resistance_ = run_high_;
        } else if (bar.close > *ref) {
            run_low_ = rising_was_empty ? bar.low : std::min(run_low_, bar.low);
            run_high_ = -kInf;
            if (runs_.sell == run_length_) support_ = run_low_;
        } else {
            run_high_ = -kInf;
            run_low_ = kInf;
        }
        if (!resistance_ && !support_) return std::nullopt;
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        return std::array<double, 2>{resistance_.value_or(kNaN), support_.value_or(kNaN)};
    }
    std::uint64_t warmup() const override { return closes_.lookback() + 1; }

private:
    TdLines(std::uint64_t lookback, std::uint64_t run_length) : closes_(lookback), run_length_(run_length) {}

    static constexpr double kInf = std::numeric_limits<double>::infinity();

    LaggedCloses closes_;
    std::uint64_t run_length_;
    SetupCount runs_;          // buy: the falling run, sell: the rising run
    double run_high_ = -kInf;  // highest high of the falling run
    double run_low_ = kInf;    // lowest low of the rising run
    std::optional<double> resistance_;
    std::optional<double> support_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, TdLines, 2);

}  // namespace torvex
