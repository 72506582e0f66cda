// Relative volatility index of the close: the Wilder-smoothed share, in percent, of
// the window's standard deviation that falls on up bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/rvi_volatility_core.hpp"

namespace torvex {

class RviVolatility final : public CloseIndicator<RviVolatility> {
public:
    // Zero period, above MAX_PERIOD, then 1: "RVI period must be >= 2".
    static std::expected<RviVolatility, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return 2 * core_.period() - 1; }

private:
    explicit RviVolatility(RviVolatilityCore core) : core_(std::move(core)) {}
    RviVolatilityCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RviVolatility);

}  // namespace torvex
