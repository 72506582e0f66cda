// DeMark lines: after `run_length` consecutive closes below the close `lookback` bars
// earlier, resistance at the highest high of that falling run; after as many closes
// above it, support at the lowest low of the rising run. Levels hold until set again.
#pragma once

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
    std::optional<std::array<double, 2>> step(const BarContext& ctx);
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

}  // namespace torvex
