// MACD: the difference of a fast and a slow exponential average of the close, its
// signal average and the histogram between them.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/macd_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// The one layout and update of the MACD types that differ only in the smoothing
// factors their constructors give the core.
template <class Derived>
class MacdLines : public MultiOutput<Derived, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"macd", "signal", "histogram"};
    static constexpr InputGate kGate = InputGate::None;

    // A non-finite close answers nothing and moves no average.
    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const double close = ctx.candle.close;
        if (!is_finite(close) || !core_.step(close)) return std::nullopt;
        return std::array<double, 3>{core_.macd(), core_.signal(), core_.histogram()};
    }
    std::uint64_t warmup() const override { return core_.first_value_bar(); }

protected:
    explicit MacdLines(MacdCore core) : core_(core) {}

private:
    MacdCore core_;
};

class MacdIndicator final : public MacdLines<MacdIndicator> {
public:
    // Zero tests on all three, fast < slow, then each against MAX_PERIOD; every
    // average uses 2/(n + 1).
    static std::expected<MacdIndicator, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                               std::uint64_t signal);

private:
    explicit MacdIndicator(MacdCore core) : MacdLines(core) {}
};

}  // namespace torvex
