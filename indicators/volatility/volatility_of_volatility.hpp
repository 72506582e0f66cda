// Volatility of volatility: the sample standard deviation over q bars of the rolling
// sample standard deviation of the last p log returns of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class VolatilityOfVolatility final : public CloseIndicator<VolatilityOfVolatility> {
public:
    // Either window 0: ZeroPeriod; either below 2: "vol-of-vol windows must both be
    // >= 2"; either above MAX_PERIOD: refused.
    static std::expected<VolatilityOfVolatility, IndicatorError> create(std::uint64_t p, std::uint64_t q);

    // Refuses a close not above zero; the first value comes with close p + q.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return returns_window_.period() + vols_.period(); }

private:
    VolatilityOfVolatility(VarianceWindow returns, VarianceWindow vols)
        : returns_window_(std::move(returns)), vols_(std::move(vols)) {}

    LogReturnStep returns_;
    std::optional<double> last_;
    VarianceWindow returns_window_;  // the last p log returns
    VarianceWindow vols_;            // the last q return deviations
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, VolatilityOfVolatility);

}  // namespace torvex
