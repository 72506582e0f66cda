// The relative-volatility step: the population deviation of the last n values,
// credited to the up side on a rising close and to the down side on a falling
// one, both sides Wilder-smoothed; the answer is the up share in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/error.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class RviVolatilityCore {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod; n = 1: InvalidPeriod
    // "RVI period must be >= 2".
    static std::expected<RviVolatilityCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); answers from the
    // (2n − 1)-th accepted value on, 50 when neither side moved.
    std::optional<double> step(double x);

    std::optional<double> last() const { return last_; }
    std::uint64_t period() const { return period_; }

private:
    explicit RviVolatilityCore(VarianceWindow window);

    std::optional<double> prev_close_;
    std::optional<double> up_avg_;
    std::optional<double> down_avg_;
    std::optional<double> last_;
    VarianceWindow window_;  // the last n values with their shifted sums
    std::vector<double> up_seed_;
    std::vector<double> down_seed_;
    std::uint64_t period_;
};

}  // namespace torvex
