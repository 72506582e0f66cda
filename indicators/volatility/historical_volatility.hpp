// Annualised historical volatility in percent: the sample standard deviation of the
// last n log returns of the close, times √(periods per year) and 100.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class HistoricalVolatility final : public CloseIndicator<HistoricalVolatility> {
public:
    // A zero period or periods per year: ZeroPeriod; period 1: "historical volatility
    // period must be >= 2"; period above MAX_PERIOD: refused. Periods per year has no
    // upper bound.
    static std::expected<HistoricalVolatility, IndicatorError> create(std::uint64_t n, std::uint64_t per_year);

    // Refuses a close not above zero; 0.0 for a window of equal returns.
    std::optional<double> step(double close) {
        const std::optional<double> r = returns_.push(close);
        if (!r) return std::nullopt;
        if (!window_.push(*r)) return std::nullopt;
        const double sd = std::sqrt(window_.sample_variance());
        const double value = scale_ * sd * 100.0;
        last_ = value;
        return value;
    }
    std::uint64_t warmup() const override { return window_.period() + 1; }

private:
    HistoricalVolatility(VarianceWindow window, std::uint64_t per_year);

    LogReturnStep returns_;
    std::optional<double> last_;
    VarianceWindow window_;
    double scale_;  // √(periods per year)
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, HistoricalVolatility);

}  // namespace torvex
