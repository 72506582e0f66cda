// Inertia: the relative volatility index of the close smoothed by a rolling
// least-squares line, read at the line's newest point.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/lin_reg_core.hpp"
#include "indicators/cores/rvi_volatility_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Inertia final : public CandleIndicator<Inertia> {
public:
    // p = 0 or q = 0: ZeroPeriod; then the relative volatility's refusals for p
    // (p = 1: "RVI period must be >= 2"); then q below 2: InvalidPeriod "linear
    // regression needs period >= 2"; q above MAX_PERIOD: InvalidPeriod.
    static std::expected<Inertia, IndicatorError> create(std::uint64_t p, std::uint64_t q);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> rvi = rvi_.step(bar.close);
        if (!rvi) return std::nullopt;
        return line_.step(*rvi);
    }
    std::uint64_t warmup() const override { return 2 * rvi_.period() + line_.period() - 2; }

private:
    Inertia(RviVolatilityCore rvi, LinRegCore line) : rvi_(std::move(rvi)), line_(std::move(line)) {}

    RviVolatilityCore rvi_;
    LinRegCore line_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Inertia);

}  // namespace torvex
