// A stop that trails the close by a percentage of it and flips side when crossed.
#pragma once

#include <cmath>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/flip_stop.hpp"

namespace torvex {

class PercentageTrailingStop final : public CloseIndicator<PercentageTrailingStop> {
public:
    // percent must be finite and above zero, else NonPositiveMultiplier.
    static std::expected<PercentageTrailingStop, IndicatorError> create(double percent);

    // The stop level, from the first close on.
    std::optional<double> step(double close) {
        const double dist = (std::fabs(close) * percent_) / 100.0;
        return stop_.advance(close, close - dist, close + dist);
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit PercentageTrailingStop(double percent) : percent_(percent) {}

    FlipStop stop_;
    double percent_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, PercentageTrailingStop);

}  // namespace torvex
