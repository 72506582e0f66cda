// DeMark risk levels: over a run of closes below (above) the close `lookback` bars
// earlier, the bar with the lowest low (highest high); once the run reaches
// `run_length`, buy risk = that low minus its true range, sell risk = that high plus
// its true range. Levels hold until set again.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>
#include <string_view>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/demark/setup_count.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdRiskLevel final : public MultiOutput<TdRiskLevel, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"buy_risk", "sell_risk"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Either 0: ZeroPeriod; lookback above MAX_PERIOD: the maximum text (the run
    // length needs no storage and stays unbounded).
    static std::expected<TdRiskLevel, IndicatorError> create(std::uint64_t lookback, std::uint64_t run_length);

    // Nothing until a first level exists; then both levels, NaN for one not yet set.
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::optional<double> ref = closes_.push(bar.close);
        if (!ref) {
            previous_close_ = bar.close;
            return std::nullopt;
        }
        const double tr = true_range(bar, previous_close_);
        runs_.step(bar.close, *ref, run_length_);
        if (bar.close < *ref) {
            // An equal later low keeps the earlier record.
            if (!low_record_ || low_record_->price > bar.low) low_record_ = Record{bar.low, tr};
            high_record_.reset();
            if (runs_.buy == run_length_) buy_risk_ = low_record_->price - low_record_->true_range;
        } else if (bar.close > *ref) {
            if (!high_record_ || high_record_->price < bar.high) high_record_ = Record{bar.high, tr};
            low_record_.reset();
            if (runs_.sell == run_length_) sell_risk_ = high_record_->price + high_record_->true_range;
        } else {
            low_record_.reset();
            high_record_.reset();
        }
        previous_close_ = bar.close;
        if (!buy_risk_ && !sell_risk_) return std::nullopt;
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        return std::array<double, 2>{buy_risk_.value_or(kNaN), sell_risk_.value_or(kNaN)};
    }
    std::uint64_t warmup() const override { return closes_.lookback() + 1; }

private:
    TdRiskLevel(std::uint64_t lookback, std::uint64_t run_length) : closes_(lookback), run_length_(run_length) {}

    // A run's extreme price and the true range of its bar.
    struct Record {
        double price;
        double true_range;
    };

    LaggedCloses closes_;
    std::uint64_t run_length_;
    SetupCount runs_;  // buy: the falling run, sell: the rising run
    std::optional<double> previous_close_;
    std::optional<Record> low_record_;   // of the falling run
    std::optional<Record> high_record_;  // of the rising run
    std::optional<double> buy_risk_;
    std::optional<double> sell_risk_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, TdRiskLevel, 2);

}  // namespace torvex
