// Volatility cone: the sample standard deviation of the last `window` log returns of
// the close, placed in the distribution of its own last `lookback` values (minimum,
// median, maximum and its percentile rank).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/log_return_step.hpp"
#include "indicators/cores/multiset_variance.hpp"
#include "indicators/cores/sorted_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VolatilityCone final : public MultiOutput<VolatilityCone, 5> {
public:
    static constexpr std::array<std::string_view, 5> kOutputNames{"current", "min", "median", "max",
                                                                   "percentile"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Either length 0: ZeroPeriod; either below 2: "volatility cone window and
    // lookback must both be >= 2"; either above MAX_PERIOD: the maximum text.
    static std::expected<VolatilityCone, IndicatorError> create(std::uint64_t window, std::uint64_t lookback);

    // A close not above zero changes nothing and publishes the last outputs again
    // (nothing before the first value).
    std::optional<std::array<double, 5>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return returns_.period() + history_.capacity(); }

private:
    VolatilityCone(MultisetVariance returns, SortedWindow history)
        : returns_(std::move(returns)), history_(std::move(history)) {}

    LogReturnStep log_return_;
    MultisetVariance returns_;
    SortedWindow history_;  // the last `lookback` volatilities
    std::optional<std::array<double, 5>> last_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, VolatilityCone, 5);

}  // namespace torvex
