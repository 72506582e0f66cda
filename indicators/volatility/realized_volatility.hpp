// Realised volatility of the close: the square root of the sum of the last n squared
// one-bar log returns (not averaged, not annualised).
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"
#include "indicators/cores/summed_window.hpp"

namespace torvex {

class RealizedVolatility final : public CloseIndicator<RealizedVolatility> {
public:
    static std::expected<RealizedVolatility, IndicatorError> create(std::uint64_t n);

    // Refuses a close not above zero; the first value comes with the (n + 1)-th close.
    std::optional<double> step(double close) {
        const std::optional<double> r = returns_.push(close);
        if (!r) return std::nullopt;
        if (squares_.full()) squares_.drop_oldest();
        squares_.append(*r * *r);
        squares_.count_update();
        if (!squares_.full()) return std::nullopt;
        const double sum = squares_.sum();
        return std::sqrt(sum > 0.0 ? sum : 0.0);
    }
    std::uint64_t warmup() const override { return squares_.period() + 1; }

private:
    explicit RealizedVolatility(SummedWindow squares) : squares_(std::move(squares)) {}

    LogReturnStep returns_;
    SummedWindow squares_;  // the last n squared returns, re-added every n updates
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RealizedVolatility);

}  // namespace torvex
